#pragma once

#include <QLabel>

namespace ui {

// A label whose announcements a screen reader says as they come, whatever has the focus: it is a
// notification to the accessibility tree, its name the last announcement, shown anew with each.
class LiveLabel : public QLabel {
    Q_OBJECT
public:
    explicit LiveLabel(QWidget* parent);
    void announce(const QString& text);
};

} // namespace ui
