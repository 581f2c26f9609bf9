#pragma once

#include "SpinEdit.h"
#include "core/forms/SettingsDialog.h"

#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
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
    void setVisible(bool visible) override;

    // Built at the first showing.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit1 = nullptr;
    SpinEdit* SpinEdit3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    SpinEdit* SpinEdit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    void FormShow();

    // The box of the switch that holds `member`.
    QCheckBox* switchFor(std::string core::Settings::*member) const;

    // Each of the design's switches, in its order.
    std::vector<QCheckBox*> switches_;
    core::SettingsDialog model_;
};

} // namespace ui
