#pragma once

#include "CountdownDialog.h"

#include <QWidget>

namespace ui {

// The stay-on-top countdown shown before a scheduled action.
class TForm2 : public QWidget, public CountdownDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    void showCountdown() override;
};

} // namespace ui
