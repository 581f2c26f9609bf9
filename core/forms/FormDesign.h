#pragma once

#include "SpinRule.h"
#include "core/base/Settings.h"
#include "core/lang/Catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The three windows as designed: captions, item lists and places, in pixels at 96 dpi, each
// relative to its parent (the window's client area, a tab sheet or a group box). Both faces
// build their windows from this description and keep only how they draw it.
namespace core::design {

struct Rect {
    int left;
    int top;
    // A label of width 0 is as wide and high as its text.
    int width = 0;
    int height = 0;
};

struct Size {
    int width;
    int height;
};

struct Control {
    std::string_view text;
    Rect place;
};

struct Spin {
    Rect place;
    SpinRange range;
    int value;
};

// A spin field that holds a setting: the key's range, and its default as the first value.
constexpr Spin settingSpin(Rect place, std::string Settings::*member) {
    const SettingKey& key = settingKey(member);
    return {place, {key.least, key.most}, key.number()};
}

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr std::string_view kProductName = "Brindlewhistmoore";
// Every window's font: its face, and its height in pixels at 96 dpi.
inline constexpr std::string_view kFontFace = "ＭＳ Ｐゴシック";
inline constexpr int kFontHeight = 12;
// The confirmation boxes; other boxes are titled with the product's name.
inline constexpr std::string_view kQuestionTitle = msg("確認");
inline constexpr std::string_view kYes = msg("はい(&Y)");
inline constexpr std::string_view kNo = msg("いいえ(&N)");
inline constexpr std::string_view kSecondStartQuestion =
    msg("Brindlewhistmooreは、すでに起動しています。予約設定フォームを表示しますか。");
// A copy whose channel for commands another process took first says so once, and runs on.
inline constexpr std::string_view kCommandChannelTaken =
    msg("コマンドの受け口をほかのプロセスが使っています。このコピーはコマンドを受け付けません。");
// With the tray icon wanted but no notification area this long after the start, the main window
// shows: long enough for a panel that starts with the session alongside the program.
inline constexpr int kTrayHostWaitMs = 10000;
// The tray icon's ground.
inline constexpr Colour kIconColour{0x00, 0x80, 0x80};

inline constexpr int kSelectorHeight = 20;

// The windows in the language in use: as designed for the source language, wider for the
// others, whose words run longer. Heights stay.
Rect widened(Rect place);
Size widened(Size client);
// A column's width.
int widened(int width);

// The letter after "&" in a caption, upper case: the access key Alt+letter presses it; 0 for none.
char accessKeyOf(std::string_view caption);

// "00" + suffix to "59" + suffix, the minutes' items.
std::vector<std::string> numberedItems(int count, std::string_view suffix);

namespace form1 {
inline constexpr std::string_view kTitle = kProductName;
// The labels whose values change: the remaining time and the CPU usage.
inline constexpr Colour kValueColour{0x00, 0x80, 0x80};
inline constexpr Colour kLockedGridColour{0x80, 0x80, 0x80};
// The tab control is wide enough for its four captions and the 終了待ち sheet's fields; the
// controls at its right edge keep theirs, and those under both halves stay centred.
inline constexpr Size kClient{498, 398};
inline constexpr Rect MonthCalendar1{16, 20, 162, 149};
inline constexpr Rect PageControl1{200, 10, 280, 119};
inline constexpr std::array<std::string_view, 4> kSheetCaptions{msg("定刻予約"), msg("経過予約"),
                                                                msg("CPU使用率"), msg("終了待ち")};

// TabSheet1
inline constexpr std::array<std::string_view, 2> kPeriodItems{msg("午前"), msg("午後")};
inline constexpr Rect ComboBox1{8, 4, 65, kSelectorHeight};
inline constexpr Rect ComboBox2{80, 4, 65, kSelectorHeight};
inline constexpr Rect ComboBox3{152, 4, 60, kSelectorHeight};
inline constexpr Rect ComboBox4{152, 42, 60, kSelectorHeight};
inline constexpr Control RadioButton1{msg("一回"), {8, 44, 46, 17}};
inline constexpr Control RadioButton2{msg("毎日"), {56, 44, 46, 17}};
inline constexpr Control RadioButton3{msg("毎週"), {104, 44, 46, 17}};
inline constexpr std::string_view kOnceHint = msg("左のカレンダーから予約日を選択します");

// TabSheet2
inline constexpr Spin SpinEdit1{{8, 9, 45, 21}, {0, 999}, 0};
inline constexpr Control Label4{msg("時間"), {56, 12}};
inline constexpr Rect ComboBox6{93, 10, 45, kSelectorHeight};
inline constexpr Control Label5{msg("分後予約"), {144, 12}};
inline constexpr Control Label3{msg("残り日時"), {8, 48}};
inline constexpr Rect Label8{66, 48, 22, 14};
inline constexpr Control Label6{msg("日"), {88, 48}};
inline constexpr Rect Label9{110, 48, 22, 14};
inline constexpr Control Label7{msg("時間"), {132, 48}};
inline constexpr Rect Label10{170, 48, 22, 14};
inline constexpr Control Label11{msg("分"), {192, 48}};

// TabSheet3
inline constexpr Control Label12{msg("ＣＰＵ使用率"), {8, 8}};
inline constexpr Rect Label13{85, 8, 26, 14};
inline constexpr Control Label14{msg("％"), {112, 8}};
inline constexpr Spin SpinEdit2 = settingSpin({8, 32, 41, 21}, &Settings::CPUPersent);
inline constexpr Control Label15{msg("％以下"), {50, 38}};
inline constexpr Spin SpinEdit3 = settingSpin({88, 32, 47, 21}, &Settings::CPUMinitu);
inline constexpr Control Label16{msg("分"), {136, 38}};
inline constexpr Control Button1{msg("開始"), {160, 4, 50, 25}};
inline constexpr Control Button5{msg("停止"), {160, 38, 50, 25}};

// TabSheet4: the 終了待ち watch's conditions.
inline constexpr Control CheckBox1{msg("プログラムの終了"), {8, 4, 120, 17}};
// Editable: a name from the list of running programs, or a process id typed in.
inline constexpr Rect ComboBox7{24, 23, 180, kSelectorHeight};
inline constexpr Control CheckBox2{msg("通信量"), {8, 49, 56, 17}};
inline constexpr Spin SpinEdit4 = settingSpin({66, 46, 54, 21}, &Settings::NETRate);
inline constexpr Control Label17{msg("KB/秒以下"), {122, 50}};
inline constexpr Spin SpinEdit5 = settingSpin({188, 46, 41, 21}, &Settings::NETMinutes);
inline constexpr Control Label18{msg("分"), {231, 50}};
inline constexpr Control CheckBox3{msg("操作なし"), {8, 73, 72, 17}};
inline constexpr Spin SpinEdit6 = settingSpin({82, 70, 48, 21}, &Settings::INPUTMinutes);
inline constexpr Control Label19{msg("分"), {132, 74}};
inline constexpr Control Button6{msg("開始"), {214, 1, 50, 21}};
inline constexpr Control Button7{msg("停止"), {214, 24, 50, 21}};
inline constexpr std::string_view kProgramHint =
    msg("プログラムの名前を一覧から選ぶか、名前かプロセス番号を入れます");

inline constexpr Control Label1{msg("現在の時刻"), {208, 148}};
inline constexpr Rect Label2{287, 148, 53, 14};
inline constexpr Rect ComboBox5{395, 144, 77, kSelectorHeight};
inline constexpr Control Button2{msg("予約する(&B)"), {208, 176, 81, 33}};
inline constexpr Control Button4{msg("トレイに格納"), {391, 176, 81, 33}};
inline constexpr Rect StringGrid1{52, 224, 394, 121};
inline constexpr std::string_view kGridHint =
    msg("ダブルクリックで再編集。右クリックで削除・停止・稼働。");
inline constexpr Control Button3{msg("設定(&S)"), {217, 360, 65, 25}};
// Shown only while a policy is in force, as kPolicyLine with the number of its bookings; opens
// their list.
inline constexpr Control Button8{msg("管理者の予約: 0件"), {52, 360, 155, 25}};
inline constexpr std::string_view kPolicyLine = msg("管理者の予約: {0}件");

// PopupMenu1, the tray's menu, and its submenu N3.
inline constexpr std::string_view N1 = msg("予約設定");
inline constexpr std::string_view N8 = msg("履歴");
// Only while a policy is in force.
inline constexpr std::string_view N9 = msg("管理者の予約");
inline constexpr std::string_view Exit1 = msg("ソフト終了");
inline constexpr std::string_view N3 = msg("再起動");
inline constexpr std::string_view N4 = msg("再起動");
inline constexpr std::string_view N5 = msg("強制再起動");
inline constexpr std::string_view N2 = msg("電源Ｏｆｆ");
// The countdown, and the requests that repeat after a count ran out.
inline constexpr std::string_view N10 = msg("キャンセル");
// PopupMenu2, the grid's row menu.
inline constexpr std::string_view Delete1 = msg("削除");
inline constexpr std::string_view N6 = msg("停止");
inline constexpr std::string_view N7 = msg("稼働");

// What a screen reader calls the controls that have no caption of their own; the others are
// named by their caption, or by the label beside them.
namespace names {
inline constexpr std::string_view MonthCalendar1 = msg("予約日");
inline constexpr std::string_view ComboBox1 = msg("午前・午後");
inline constexpr std::string_view ComboBox2 = msg("時");
inline constexpr std::string_view ComboBox3 = msg("分");
inline constexpr std::string_view ComboBox4 = msg("曜日");
inline constexpr std::string_view SpinEdit1 = Label4.text;
inline constexpr std::string_view ComboBox6 = Label5.text;
inline constexpr std::string_view SpinEdit2 = Label15.text;
inline constexpr std::string_view SpinEdit3 = msg("続く分数");
inline constexpr std::string_view ComboBox7 = CheckBox1.text;
inline constexpr std::string_view SpinEdit4 = Label17.text;
inline constexpr std::string_view SpinEdit5 = msg("続く分数");
inline constexpr std::string_view SpinEdit6 = msg("操作のない分数");
inline constexpr std::string_view ComboBox5 = msg("動作");
inline constexpr std::string_view StringGrid1 = msg("予約の一覧");
} // namespace names
} // namespace form1

namespace form2 {
inline constexpr std::string_view kTitle = msg("電源断予告");
inline constexpr Size kClient{322, 194};
// Wide enough for the longest message at the longest countdown.
inline constexpr Control Label1{msg("３０秒後にPowerOffします。"), {13, 24, 296, 14}};
// How to cancel, or why the count could not be put off: room for both of the administrator's
// reasons, each of which may take two lines in a longer language.
inline constexpr Control Label2{msg("キャンセルする場合は、キャンセルボタンを押してください。"),
                                {13, 42, 296, 52}};
// Red that keeps a contrast of 5.7:1 on white, which readers of small text need.
inline constexpr Colour kTextColour{0xD0, 0x00, 0x00};
inline constexpr Rect ProgressBar1{76, 96, 169, 17};
inline constexpr std::string_view kProgressName = msg("残り時間");
// The seconds left, centred under the bar, as wide as the dialog's texts for the wait for the
// command before the action; a screen reader hears it at a few points and the dialog's texts
// from it as the dialog appears.
inline constexpr Rect Label3{13, 118, 296, 14};
// Until the first showing sets the countdown's length.
inline constexpr int kProgressMaximum = 30;
// Timer1 counts the seconds.
inline constexpr int kStepMs = 1000;
// キャンセル and "10分延期", side by side and centred under the bar.
inline constexpr Control SpeedButton1{msg("キャンセル(&C)"), {52, 144, 105, 25}};
inline constexpr Control SpeedButton2{msg("10分延期(&L)"), {165, 144, 105, 25}};
} // namespace form2

namespace form3 {
inline constexpr std::string_view kTitle = msg("設定");
inline constexpr Size kClient{295, 504};
inline constexpr Control Label2{"Brindlewhistmoore_Ver5.6", {81, 12}};
inline constexpr Colour kLabel2Colour{0x00, 0x00, 0xFF};
inline constexpr Control GroupBox1{msg("機能設定"), {16, 32, 265, 391}};
// In the group box.
inline constexpr Control CheckBox1{msg("予約時刻になるとCPU使用率に"), {16, 24, 241, 17}};
inline constexpr Control CheckBox2{msg("カウントダウン時に音を鳴らす"), {16, 56, 177, 17}};
inline constexpr Control CheckBox3{msg("タスクトレイアイコンを隠す(起動時に反映)"),
                                   {16, 88, 241, 25}};
inline constexpr std::string_view kCheckBox3Hint =
    msg("ショートカットから起動するとフォームが表示されます。");
inline constexpr Spin SpinEdit1 = settingSpin({16, 128, 49, 21}, &Settings::ShutDownTime);
inline constexpr Control Label1{msg("秒間の警告を出す(15～120秒)"), {72, 132}};
inline constexpr Control CheckBox4{msg("ログオン時に起動する"), {16, 160, 241, 17}};
// The notice before each booking and its minutes, on one line.
inline constexpr Control CheckBox5{msg("予約の前に通知する"), {16, 194, 137, 17}};
inline constexpr Spin SpinEdit2 = settingSpin({160, 192, 41, 21}, &Settings::NOTICETime);
inline constexpr Control Label3{msg("分前"), {206, 196}};
inline constexpr Control CheckBox6{msg("予約の時刻にスリープから復帰する"), {16, 228, 241, 17}};
// Where the system offers a user no wake alarm, the box is shown disabled with this hint.
inline constexpr std::string_view kCheckBox6Unavailable =
    msg("このシステムではスリープからの復帰を予約できません。管理者が rtcwake で設定します。");
// Off by default: "power off after this film" must still work.
inline constexpr Control CheckBox7{msg("発表中・全画面表示中は待つ"), {16, 262, 241, 17}};
// The command run when a countdown ends, before the action: its line, the seconds it may take,
// and whether its failure calls the action off.
inline constexpr Control Label5{msg("実行前のコマンド"), {16, 292}};
inline constexpr Rect Edit1{16, 310, 233, 21};
inline constexpr Spin SpinEdit3 = settingSpin({16, 340, 49, 21}, &Settings::PRECOMMANDTime);
inline constexpr Control Label6{msg("秒まで待つ(1～600秒)"), {72, 344}};
inline constexpr Control CheckBox8{msg("失敗したら中止する"), {16, 370, 241, 17}};
// A switch of the dialog and the setting it holds.
struct SettingSwitch {
    Control box;
    std::string Settings::*member;
};
// The switches that hold a setting, in their order on the page; CheckBox4, the autostart entry,
// holds none. A new one needs only its line here, its key and its place.
inline constexpr SettingSwitch kSwitches[] = {
    {CheckBox1, &Settings::CPUchange},     {CheckBox2, &Settings::BEEPchange},
    {CheckBox3, &Settings::TASKICOchange}, {CheckBox5, &Settings::NOTICEchange},
    {CheckBox6, &Settings::WAKEchange},    {CheckBox7, &Settings::DEFERchange},
    {CheckBox8, &Settings::ABORTchange}};
// In the window again: the language, a choice that takes effect at the next start.
inline constexpr Control Label4{msg("表示の言語"), {16, 438}};
inline constexpr Rect ComboBox1{120, 434, 161, kSelectorHeight};
inline constexpr Control Button1{"OK", {152, 470, 57, 25}};
inline constexpr Control Button2{msg("ｷｬﾝｾﾙ"), {224, 470, 57, 25}};

namespace names {
inline constexpr std::string_view SpinEdit1 = msg("警告の秒数");
inline constexpr std::string_view SpinEdit2 = msg("通知する分数");
inline constexpr std::string_view Edit1 = Label5.text;
inline constexpr std::string_view SpinEdit3 = msg("コマンドを待つ秒数");
inline constexpr std::string_view ComboBox1 = Label4.text;
} // namespace names
} // namespace form3

// The administrator's bookings, read-only.
namespace form4 {
inline constexpr std::string_view kTitle = msg("管理者の予約");
inline constexpr Size kClient{548, 240};
inline constexpr Rect ListView1{8, 8, 532, 160};
struct Column {
    std::string_view caption;
    int width;
};
// Wide enough for "管理者の予約30 (10分延期)", "毎週月～土", "午後10時00分" and "2026/12/24 22:00".
// Room is left for a vertical scroll bar.
inline constexpr std::array<Column, 5> kColumns{{{msg("予約"), 150},
                                                 {msg("日付"), 80},
                                                 {msg("時刻"), 85},
                                                 {msg("動作"), 60},
                                                 {msg("次の時刻"), 135}}};
// The policy's limits, under the list.
inline constexpr Rect Label1{8, 176, 532, 17};
inline constexpr Control Button1{msg("閉じる"), {465, 205, 75, 25}};
inline constexpr std::string_view kListName = kTitle;
} // namespace form4

} // namespace core::design
