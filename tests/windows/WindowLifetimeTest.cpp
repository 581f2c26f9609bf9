// A window and the object behind it part cleanly in either order, and so does a control's
// wrapper and its control; the countdown's keys and buttons. Run under wine on a display.
#include "tests/support/FakePrompter.h"
#include "ui/win32/ReservationGrid.h"
#include "ui/win32/Unit2.h"
#include "ui/win32/toolkit/FocusRule.h"
#include "ui/win32/toolkit/Window.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class Probe : public ui::Window {
public:
    explicit Probe(core::Prompter& prompter)
        : Window({L"TProbe", "probe", WS_OVERLAPPEDWINDOW, 0, {200, 200}, COLOR_BTNFACE},
                 prompter) {}
    inline static int reached = 0;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER)
            ++reached;
        return handleDefault(message, wParam, lParam);
    }
};

} // namespace

TEST(WindowLifetime, ObjectAndWindowPartInEitherOrder) {
    testing_support::FakePrompter prompter;
    auto first = std::make_unique<Probe>(prompter);
    first->create();
    const HWND window = first->handle();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(Probe::reached, 1);
    first.reset();
    EXPECT_FALSE(IsWindow(window));
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(Probe::reached, 1) << "a message after the object went reached it";

    Probe second(prompter);
    second.create();
    const HWND other = second.handle();
    DestroyWindow(other);
    EXPECT_EQ(second.handle(), nullptr) << "the object forgets a window that went first";
    EXPECT_EQ(GetWindowLongPtrW(other, GWLP_USERDATA), 0);
}

TEST(WindowLifetime, AWrapperGoneBeforeItsControlIsNeverReached) {
    testing_support::FakePrompter prompter;
    Probe owner(prompter);
    owner.create();
    core::ReservationTable table;
    int menuKeys = 0;
    auto grid = std::make_unique<ui::ReservationGrid>(
        owner, core::design::Rect{0, 0, 150, 150}, table, prompter,
        ui::ReservationGrid::Events{[] {}, [&] { ++menuKeys; }, [] {}});
    const HWND view = grid->hwnd();
    SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), -1);
    EXPECT_EQ(menuKeys, 1);
    NMCUSTOMDRAW draw{};
    draw.hdr = {view, static_cast<UINT_PTR>(GetDlgCtrlID(view)), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(
        SendMessageW(owner.handle(), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)),
        CDRF_NOTIFYITEMDRAW);

    grid.reset();
    ASSERT_TRUE(IsWindow(view));
    SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), -1);
    EXPECT_EQ(menuKeys, 1) << "the list view's procedure still led to the wrapper";
    EXPECT_EQ(
        SendMessageW(owner.handle(), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)),
        0)
        << "the window still passed notifications to the wrapper";
}

TEST(WindowLifetime, AButtonThatKeepsFocusElsewhereLeavesItInTheField) {
    testing_support::FakePrompter prompter;
    Probe owner(prompter);
    owner.create();
    const HWND field = owner.add(L"EDIT", "", WS_TABSTOP, {0, 0, 80, 20});
    const HWND button = owner.add(L"BUTTON", "予約する", BS_PUSHBUTTON, {0, 30, 80, 25});
    ui::keepFocusElsewhere(button);
    ShowWindow(owner.handle(), SW_SHOW);
    SetForegroundWindow(owner.handle());
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), field) << "a click left the focus on the button";
}

TEST(WindowLifetime, TheCountdownCancelsOnEscapeAndCloseAndPostponesWhenItCan) {
    testing_support::FakePrompter prompter;
    core::SharedState state;
    state.PendingAction = core::PowerAction::PowerOff;
    std::vector<core::CancelledBy> cancels;
    bool postponeTaken = false;
    ui::TForm2 countdown(
        state, prompter, [&](core::CancelledBy by) { cancels.push_back(by); },
        [&] {
            return postponeTaken ? std::nullopt
                                 : std::optional<std::string>("予約の空きがありません。");
        },
        [] { return std::optional<std::string>(); });
    countdown.create();
    countdown.showCountdown();
    // The keys go where the focus is: the buttons take none, so the window has it.
    HWND focus = GetFocus();
    ASSERT_EQ(focus, countdown.handle());
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}})
        SendMessageW(focus, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(cancels.empty());
    SendMessageW(countdown.SpeedButton2->hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(countdown.isVisible()) << "no room for the booking: the count goes on";
    EXPECT_EQ(ui::controlText(countdown.Label2->hwnd()), "予約の空きがありません。");
    EXPECT_EQ(GetFocus(), countdown.handle());
    postponeTaken = true;
    SendMessageW(countdown.SpeedButton2->hwnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(countdown.isVisible());
    EXPECT_TRUE(cancels.empty());
    countdown.showCountdown();
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(cancels, std::vector{core::CancelledBy::Escape});
    EXPECT_FALSE(countdown.isVisible());
    countdown.showCountdown();
    EXPECT_EQ(ui::controlText(countdown.Label2->hwnd()),
              "キャンセルする場合は、キャンセルボタンを押してください。");
    SendMessageW(countdown.handle(), WM_CLOSE, 0, 0); // the close box and Alt+F4
    EXPECT_EQ(cancels.back(), core::CancelledBy::CloseBox);
    EXPECT_FALSE(countdown.isVisible());
    countdown.showCountdown();
    countdown.cancelCountdown(core::CancelledBy::Command);
    EXPECT_EQ(cancels.back(), core::CancelledBy::Command);
    EXPECT_FALSE(countdown.isVisible());
}
