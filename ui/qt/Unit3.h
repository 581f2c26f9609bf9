#pragma once

#include "SpinEdit.h"
#include "core/forms/SettingsDialog.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ui {

// The settings dialog: three switches, the countdown length, the start with the session, the
// notice before each booking and the wake for a booking (shown disabled: Linux offers no wake
// alarm to a user).
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(core::SettingsDialog::Services services, QWidget* parent = nullptr);

    void Button1Click(); // "OK"
    void Button2Click(); // "ｷｬﾝｾﾙ"

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    SpinEdit* SpinEdit1;
    SpinEdit* SpinEdit2;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    core::SettingsDialog model_;
};

} // namespace ui
