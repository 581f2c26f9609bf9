#include "SpinEdit.h"

#include <climits>
#include <string>

namespace ui {

void Edit::command(WORD notification) {
    if (notification == EN_CHANGE && changed_)
        changed_();
    else if (notification == EN_KILLFOCUS && left_)
        left_();
}

LRESULT UpDown::notify(const NMHDR& header) {
    if (header.code != UDN_DELTAPOS)
        return 0;
    stepped_(reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1);
    // The arrows' own position stays as it is.
    return TRUE;
}

SpinEdit::SpinEdit(Window& owner, const core::design::Spin& design, int arrowsWidth,
                   HWND relativeTo)
    : range_(design.range) {
    const core::design::Rect place = design.place;
    edit_ = std::make_unique<Edit>(
        owner.add(L"EDIT", std::to_string(design.value), ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                  {place.left, place.top, place.width - arrowsWidth, place.height}, relativeTo,
                  WS_EX_CLIENTEDGE),
        [this] { left(); });
    arrows_ = std::make_unique<UpDown>(
        owner.add(UPDOWN_CLASSW, "", UDS_ARROWKEYS,
                  {place.left + place.width - arrowsWidth, place.top, arrowsWidth, place.height},
                  relativeTo),
        [this](int step) {
            setValue(range_.stepped(controlText(edit()), step));
            SendMessageW(edit(), EM_SETSEL, 0, -1);
        });
    // The arrows only report steps; the field's value lives in its text. A wide range of their
    // own keeps them from stopping at a bound.
    SendMessageW(arrows(), UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN / 2), INT_MAX / 2);
    SendMessageW(arrows(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit()), 0);
}

int SpinEdit::value() const {
    return range_.value(controlText(edit()));
}

void SpinEdit::setValue(int value) {
    const std::string text = std::to_string(range_.clamped(value));
    if (controlText(edit()) != text)
        setControlText(edit(), text);
}

void SpinEdit::left() {
    if (auto corrected = range_.correctionOnLeaving(controlText(edit())))
        setValue(*corrected);
}

} // namespace ui
