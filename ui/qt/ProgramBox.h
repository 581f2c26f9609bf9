#pragma once

#include <QComboBox>

namespace ui {

// An editable box whose list is filled afresh each time it opens.
class ProgramBox : public QComboBox {
    Q_OBJECT
public:
    explicit ProgramBox(QWidget* parent = nullptr);
    void showPopup() override;

signals:
    // The list is about to open: its items may be replaced now.
    void opening();
};

} // namespace ui
