#include "SpinEdit.h"

#include <climits>
#include <string>

namespace ui {

SpinEdit::SpinEdit(Window& owner, const core::design::Spin& design, int arrowsWidth,
                   HWND relativeTo, std::function<void()> changed)
    : owner_(owner), range_(design.range) {
    const core::design::Rect place = design.place;
    edit_ = owner.add(L"EDIT", std::to_string(design.value), ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                      {place.left, place.top, place.width - arrowsWidth, place.height}, relativeTo,
                      WS_EX_CLIENTEDGE);
    arrows_ = owner.add(
        UPDOWN_CLASSW, "", UDS_ARROWKEYS,
        {place.left + place.width - arrowsWidth, place.top, arrowsWidth, place.height}, relativeTo);
    // The arrows only report steps; the field's value lives in its text. A wide range of their
    // own keeps them from stopping at a bound.
    SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN / 2), INT_MAX / 2);
    SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    owner.onCommand(edit_, [this, changed = std::move(changed)](WORD notification) {
        if (notification == EN_CHANGE && changed)
            changed();
        else if (notification == EN_KILLFOCUS)
            left();
    });
    owner.onNotify(arrows_, [this](const NMHDR& header) -> LRESULT {
        if (header.code != UDN_DELTAPOS)
            return 0;
        const auto& step = reinterpret_cast<const NMUPDOWN&>(header);
        setValue(range_.stepped(controlText(edit_), step.iDelta > 0 ? 1 : -1));
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        // The arrows' own position stays as it is.
        return TRUE;
    });
}

SpinEdit::~SpinEdit() {
    owner_.forget(edit_);
    owner_.forget(arrows_);
}

int SpinEdit::value() const {
    return range_.value(controlText(edit_));
}

void SpinEdit::setValue(int value) {
    const std::string text = std::to_string(range_.clamped(value));
    if (controlText(edit_) != text)
        setControlText(edit_, text);
}

void SpinEdit::left() {
    if (auto corrected = range_.correctionOnLeaving(controlText(edit_)))
        setValue(*corrected);
}

} // namespace ui
