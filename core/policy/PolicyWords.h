#pragma once

#include "core/lang/Catalogue.h"

#include <string_view>

namespace core {

// What the countdown's hints and the commands say of a policy's limit.
inline constexpr std::string_view kCancelForbidden = msg("管理者の設定で、キャンセルできません。");
inline constexpr std::string_view kNoRowToPostpone =
    msg("予約の空きがないので延期できません。カウントダウンは続きます。");
inline constexpr std::string_view kPostponeExhausted =
    msg("管理者の設定で、これ以上延期できません。");
inline constexpr std::string_view kUserBookingsForbidden =
    msg("管理者の設定で、予約は変えられません。");
// How the history names a row of the administrator's bookings.
inline constexpr std::string_view kPolicyRowName = msg("管理者の予約{0}");

} // namespace core
