#pragma once

#include "SpinEdit.h"
#include "core/FileStore.h"
#include "core/Prompter.h"
#include "core/Settings.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ui {

// The settings dialog: three switches and the countdown length.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(core::Settings& settings, core::FileStore& files, std::string settingsPath,
           core::Prompter& prompter, QWidget* parent = nullptr);

    void Button1Click();
    void Button2Click();

    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    SpinEdit* SpinEdit1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    core::Settings& settings_;
    core::FileStore& files_;
    std::string settingsPath_;
    core::Prompter& prompter_;
};

} // namespace ui
