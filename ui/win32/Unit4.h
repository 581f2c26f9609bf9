#pragma once

#include "core/policy/PolicyInForce.h"
#include "toolkit/Control.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/Window.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

// The administrator's bookings and limits, read-only: nothing here changes them.
class TForm4 : public Window {
public:
    explicit TForm4(core::Prompter& prompter);

    // Filled afresh and brought to the front each time.
    void showList(const std::vector<core::PolicyBookingLine>& lines, const std::string& limits);

    std::unique_ptr<ListView> ListView1;
    std::unique_ptr<Label> Label1;
    std::unique_ptr<Button> Button1; // "閉じる"

private:
    // Made when the window first shows.
    void buildControls();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ReaderAnnotations readers_;
};

} // namespace ui
