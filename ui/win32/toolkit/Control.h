#pragma once

#include "platform/windows/Win32.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A control and the object that handles its notifications: its window passes each WM_COMMAND
// and WM_NOTIFY on to the object of the control it came from. The object and its control part
// cleanly in either order.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND hwnd() const { return hwnd_; }
    // The object of a control, or null when it has none (any more).
    static Control* of(HWND control);

    virtual void command(WORD /*notification*/) {}
    virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }

protected:
    explicit Control(HWND hwnd);

private:
    HWND hwnd_;
};

// A push button, check box or radio button.
class Button : public Control {
public:
    explicit Button(HWND hwnd, std::function<void()> onClick = {})
        : Control(hwnd), onClick_(std::move(onClick)) {}
    bool checked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool checked) {
        SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void command(WORD notification) override {
        if (notification == BN_CLICKED && onClick_)
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

// A label whose text the program changes; only a new text repaints it.
class Label : public Control {
public:
    explicit Label(HWND hwnd) : Control(hwnd) {}
    void setText(const std::string& text);

private:
    std::optional<std::string> shown_;
};

// A one-line text field.
class TextField : public Control {
public:
    explicit TextField(HWND hwnd) : Control(hwnd) {}
    std::string text() const;
    void setText(const std::string& text);
};

// A frame with a caption around other controls, which are placed relative to it.
class GroupBox : public Control {
public:
    explicit GroupBox(HWND hwnd) : Control(hwnd) {}
};

// A progress bar from zero to its maximum.
class ProgressBar : public Control {
public:
    explicit ProgressBar(HWND hwnd) : Control(hwnd) {}
    void setMaximum(int maximum) { SendMessageW(hwnd(), PBM_SETRANGE32, 0, maximum); }
    void setPosition(int value) { SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(value), 0); }
};

// A month calendar with one selected day.
class MonthCalendar : public Control {
public:
    explicit MonthCalendar(HWND hwnd) : Control(hwnd) {}
    SYSTEMTIME selected() const {
        SYSTEMTIME date{};
        SendMessageW(hwnd(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
        return date;
    }
    void select(SYSTEMTIME date) {
        SendMessageW(hwnd(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date));
    }
    // The size the calendar needs in its font.
    RECT minimumSize() const {
        RECT need{};
        SendMessageW(hwnd(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
        return need;
    }
};

// A tab control; `onChange` hears the user pick another tab.
class TabControl : public Control {
public:
    TabControl(HWND hwnd, std::function<void()> onChange)
        : Control(hwnd), onChange_(std::move(onChange)) {}
    int selected() const { return static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)); }
    void select(int index) { SendMessageW(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // The caption in the language in use, as for each caption below.
    void addTab(std::string_view caption);
    LRESULT notify(const NMHDR& header) override {
        if (header.code == TCN_SELCHANGE && onChange_)
            onChange_();
        return 0;
    }

private:
    std::function<void()> onChange_;
};

// A list view in report style: columns with captions, rows of texts, read-only.
class ListView : public Control {
public:
    explicit ListView(HWND hwnd) : Control(hwnd) {}
    void addColumn(std::string_view caption, int width);
    // Every row replaced: one text a column.
    void setRows(const std::vector<std::vector<std::string>>& rows);
};

} // namespace ui
