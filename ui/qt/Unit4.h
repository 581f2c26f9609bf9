#pragma once

#include "core/policy/PolicyInForce.h"

#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace ui {

// The administrator's bookings and limits, read-only: nothing here changes them.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Filled afresh and brought to the front each time.
    void showList(const std::vector<core::PolicyBookingLine>& lines, const std::string& limits);

    QTableWidget* ListView1;
    QLabel* Label1;
    QPushButton* Button1; // "閉じる"
};

} // namespace ui
