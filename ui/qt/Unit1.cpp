#include "Unit1.h"

#include "Centring.h"
#include "Fonts.h"
#include "ReservationGridModel.h"
#include "Selectors.h"
#include "TrayIcon.h"
#include "core/Vocabulary.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <stdexcept>

namespace ui {

namespace {

constexpr int kClientWidth = 443;
constexpr int kClientHeight = 374;
constexpr int kSelectorHeight = 20;
constexpr int kSpinHeight = 21;
constexpr int kTrayHostWaitMs = 10000;
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kLockedGrey(0x80, 0x80, 0x80);

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Labels whose text changes while the program runs get room for their widest text.
QLabel* makeValueLabel(QWidget* parent, int left, int top, int width) {
    auto* label = new QLabel(parent);
    label->setGeometry(left, top, width, 14);
    return label;
}

void paintText(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QComboBox* placeSelector(QWidget* parent, int left, int top, int width, const QStringList& items) {
    QComboBox* box = makeSelector(parent, items);
    box->setGeometry(left, top, width, kSelectorHeight);
    return box;
}

QStringList numberedItems(int count, const QString& suffix) {
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + suffix;
    return items;
}

template <std::size_t N> QStringList toItems(const std::array<std::string_view, N>& texts) {
    QStringList items;
    for (auto text : texts)
        items << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return items;
}

SpinEdit* makeSpin(QWidget* parent, int left, int top, int width, int minimum, int maximum,
                   int value) {
    auto* spin = new SpinEdit(minimum, maximum, parent);
    spin->setValue(value);
    spin->setGeometry(left, top, width, kSpinHeight);
    spin->fitLargestValue();
    return spin;
}

// The left edge for a control that follows `before` with the given gap.
int after(const QWidget* before, int gap) {
    return before->x() + before->width() + gap;
}

QPushButton* makeButton(QWidget* parent, const QString& text, QRect place) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(place);
    return button;
}

} // namespace

TForm1::TForm1(Form1Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), model_(services_, table_, *this) {
    buildWindow();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildWindow() {
    setWindowTitle(QStringLiteral("Brindlewhistmoore"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(programFont());
    setFixedSize(kClientWidth, kClientHeight);
    setWindowIcon(programIcon());

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setGeometry(16, 20, 162, 149);
    MonthCalendar1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(200, 10, 225, 95);
    // Three captions must fit the 225 pixel wide control without scroll arrows.
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    buildTimeSheet();
    buildElapsedSheet();
    buildCpuSheet();

    Label1 = makeLabel(this, QStringLiteral("現在の時刻"), 208, 124);
    Label2 = makeValueLabel(this, 287, 124, 53);
    ComboBox5 = placeSelector(this, 340, 120, 77, {});
    for (const auto& action : core::kActions)
        ComboBox5->addItem(
            QString::fromUtf8(action.label.data(), static_cast<qsizetype>(action.label.size())));
    Button2 = makeButton(this, QStringLiteral("予約する"), {208, 152, 81, 33});
    // No tab stop, but a click takes the focus, so a spin field being typed in is corrected.
    Button2->setFocusPolicy(Qt::ClickFocus);
    Button4 = makeButton(this, QStringLiteral("トレイに格納"), {336, 152, 81, 33});
    buildGrid();
    Button3 = makeButton(this, QStringLiteral("設定"), {189, 336, 65, 25});
    Button3->setFocusPolicy(Qt::ClickFocus);

    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(core::kScanIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(SpinEdit2, &SpinEdit::changed, this, &TForm1::SpinEdit2Change);
    connect(SpinEdit3, &SpinEdit::changed, this, &TForm1::SpinEdit3Change);
    buildTrayMenu();

    PopupMenu2 = new QMenu(this);
    PopupMenu2->addAction(QStringLiteral("削除"), this, &TForm1::Delete1Click);
    PopupMenu2->addAction(QStringLiteral("停止"), this, &TForm1::N6Click);
    PopupMenu2->addAction(QStringLiteral("稼働"), this, &TForm1::N7Click);
    for (QObject* part :
         {static_cast<QObject*>(StringGrid1), static_cast<QObject*>(StringGrid1->viewport()),
          static_cast<QObject*>(StringGrid1->verticalHeader()->viewport()),
          static_cast<QObject*>(StringGrid1->horizontalHeader()->viewport())})
        part->installEventFilter(this);
}

void TForm1::buildTrayMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("予約設定"), this, &TForm1::N1Click);
    PopupMenu1->addAction(QStringLiteral("ソフト終了"), this, &TForm1::Exit1Click);
    QMenu* N3 = PopupMenu1->addMenu(QStringLiteral("再起動"));
    N3->addAction(QStringLiteral("再起動"), this, &TForm1::N4Click);
    N3->addAction(QStringLiteral("強制再起動"), this, &TForm1::N5Click);
    PopupMenu1->addAction(QStringLiteral("電源Ｏｆｆ"), this, &TForm1::N2Click);
    TrayIcon1 = new TrayIcon(this);
    connect(TrayIcon1, &TrayIcon::leftButtonDown, this, &TForm1::ICONMessage);
}

void TForm1::buildTimeSheet() {
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("定刻予約"));
    ComboBox1 =
        placeSelector(TabSheet1, 8, 4, 65, {QStringLiteral("午前"), QStringLiteral("午後")});
    ComboBox2 = placeSelector(TabSheet1, 80, 4, 65, toItems(core::kHourLabels));
    ComboBox3 = placeSelector(TabSheet1, 152, 4, 60, numberedItems(60, QStringLiteral("分")));
    ComboBox4 = placeSelector(TabSheet1, 152, 42, 60, toItems(core::kWeekdayItems));
    RadioButton1 = new QRadioButton(QStringLiteral("一回"), TabSheet1);
    RadioButton1->move(8, 44);
    RadioButton1->setToolTip(QStringLiteral("左のカレンダーから予約日を選択します"));
    RadioButton2 = new QRadioButton(QStringLiteral("毎日"), TabSheet1);
    RadioButton2->move(56, 44);
    RadioButton3 = new QRadioButton(QStringLiteral("毎週"), TabSheet1);
    RadioButton3->move(104, 44);
}

void TForm1::buildElapsedSheet() {
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet2, QStringLiteral("経過予約"));
    SpinEdit1 = makeSpin(TabSheet2, 8, 9, 45, 0, 999, 0);
    Label4 = makeLabel(TabSheet2, QStringLiteral("時間"), std::max(56, after(SpinEdit1, 3)), 12);
    ComboBox6 = placeSelector(TabSheet2, 93, 10, 45, numberedItems(60, {}));
    Label5 = makeLabel(TabSheet2, QStringLiteral("分後予約"), 144, 12);
    Label3 = makeLabel(TabSheet2, QStringLiteral("残り日時"), 8, 48);
    Label8 = makeValueLabel(TabSheet2, 66, 48, 22);
    Label6 = makeLabel(TabSheet2, QStringLiteral("日"), 88, 48);
    Label9 = makeValueLabel(TabSheet2, 110, 48, 22);
    Label7 = makeLabel(TabSheet2, QStringLiteral("時間"), 132, 48);
    Label10 = makeValueLabel(TabSheet2, 170, 48, 22);
    Label11 = makeLabel(TabSheet2, QStringLiteral("分"), 192, 48);
    for (QLabel* value : {Label8, Label9, Label10})
        paintText(value, kTeal);
    Label8->hide();
    Label9->hide();
}

void TForm1::buildCpuSheet() {
    TabSheet3 = new QWidget;
    PageControl1->addTab(TabSheet3, QStringLiteral("CPU使用率"));
    Label12 = makeLabel(TabSheet3, QStringLiteral("ＣＰＵ使用率"), 8, 8);
    Label13 = makeValueLabel(TabSheet3, 85, 8, 26);
    paintText(Label13, kTeal);
    Label14 = makeLabel(TabSheet3, QStringLiteral("％"), 112, 8);
    // Each field is as wide as its largest value needs; what follows it moves along.
    SpinEdit2 = makeSpin(TabSheet3, 8, 32, 41, 1, 100, 5);
    Label15 = makeLabel(TabSheet3, QStringLiteral("％以下"), std::max(50, after(SpinEdit2, 1)), 38);
    SpinEdit3 = makeSpin(TabSheet3, std::max(88, after(Label15, 2)), 32, 47, 1, 1000, 3);
    Label16 = makeLabel(TabSheet3, QStringLiteral("分"), std::max(136, after(SpinEdit3, 1)), 38);
    // The buttons give up width to the fields rather than run past the tab's edge at 210.
    const int buttonLeft = std::max(160, after(Label16, 3));
    const int buttonWidth = 210 - buttonLeft;
    Button1 = makeButton(TabSheet3, QStringLiteral("開始"), {buttonLeft, 4, buttonWidth, 25});
    Button5 = makeButton(TabSheet3, QStringLiteral("停止"), {buttonLeft, 38, buttonWidth, 25});
}

void TForm1::buildGrid() {
    StringGrid1 = new QTableView(this);
    StringGrid1->setGeometry(24, 200, 394, 121);
    gridModel_ = new ReservationGridModel(table_, this);
    StringGrid1->setModel(gridModel_);
    StringGrid1->setToolTip(QString::fromUtf8(core::kGridHint));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setCornerButtonEnabled(false);
    StringGrid1->setWordWrap(false);
    // Cells are as narrow as their texts: draw them with the slimmest margins, unelided.
    StringGrid1->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 1px; }"));
    StringGrid1->setTextElideMode(Qt::ElideNone);

    QHeaderView* top = StringGrid1->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setFixedHeight(core::kDefaultRowHeight + 1);
    top->setHighlightSections(false);
    for (int column = 1; column < core::kColumnCount; ++column)
        top->resizeSection(column - 1, core::kColumnWidths[static_cast<std::size_t>(column)]);

    QHeaderView* side = StringGrid1->verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultSectionSize(core::kDefaultRowHeight + 1);
    side->setFixedWidth(core::kColumnWidths[0]);
    side->setHighlightSections(false);
}

void TForm1::FormCreate() {
    centreOnPrimaryScreen(*this);
    model_.FormCreate();
    gridModel_->refresh();
    Timer1->start();
}

int TForm1::selectedRow() const {
    QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TForm1::selectRow(int row) {
    StringGrid1->setCurrentIndex(gridModel_->index(row - 1, 0));
}

void TForm1::Timer1Timer() {
    model_.Timer1Timer();
    gridModel_->refresh();
}

void TForm1::SaveReservations() {
    model_.booking().SaveReservations();
}

void TForm1::Button1Click() {
    model_.Button1Click();
}

void TForm1::Button3Click() {
    if (settingsDialog_ == nullptr)
        return;
    // Already open behind the main window, it must come to the front.
    settingsDialog_->show();
    settingsDialog_->raise();
    settingsDialog_->activateWindow();
}

void TForm1::Button4Click() {
    hide();
}

void TForm1::Button5Click() {
    model_.Button5Click();
}

void TForm1::SpinEdit2Change() {
    model_.SpinEdit2Change();
}

void TForm1::SpinEdit3Change() {
    model_.SpinEdit3Change();
}

void TForm1::WMAppShow() {
    show();
    bringToFront();
}

void TForm1::bringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TForm1::ICONMessage() {
    PopupMenu1->popup(QCursor::pos());
}

void TForm1::N1Click() {
    // A minimised window is restored and raised, not left on the task bar.
    show();
    bringToFront();
}

void TForm1::showIfNoTrayHost() {
    if (TrayIcon1->isAdded() && !TrayIcon::hostAvailable() && isHidden())
        show();
}

void TForm1::Exit1Click() {
    TrayIcon1->remove();
    close();
}

void TForm1::N2Click() {
    model_.N2Click();
}

void TForm1::N4Click() {
    model_.N4Click();
}

void TForm1::N5Click() {
    model_.N5Click();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window in any way ends the program, dialogs included.
    TrayIcon1->remove();
    QWidget::closeEvent(event);
    QApplication::quit();
}

void TForm1::countdownCancelled() {
    model_.countdownCancelled();
}

void TForm1::showWeekdays(bool shown) {
    ComboBox4->setVisible(shown);
}

void TForm1::showClock(const std::string& text) {
    Label2->setText(QString::fromStdString(text));
}

void TForm1::showUsage(const std::string& text) {
    Label13->setText(QString::fromStdString(text));
}

void TForm1::showRemainingTime(std::optional<core::RemainingTime> remaining) {
    if (remaining) {
        Label8->setNum(remaining->days);
        Label9->setNum(remaining->hours);
        Label10->setNum(remaining->minutes);
    }
    for (QLabel* label : {Label8, Label9, Label10})
        label->setVisible(remaining.has_value());
}

int TForm1::thresholdPercent() const {
    return SpinEdit2->value();
}

int TForm1::durationMinutes() const {
    return SpinEdit3->value();
}

void TForm1::setThresholdPercent(int percent) {
    SpinEdit2->setValue(percent);
}

void TForm1::setDurationMinutes(int minutes) {
    SpinEdit3->setValue(minutes);
}

int TForm1::itemIndex(core::Selector selector) const {
    return selectorBox(selector)->currentIndex();
}

void TForm1::selectIndex(core::Selector selector, int index) {
    selectorBox(selector)->setCurrentIndex(index);
}

void TForm1::addTrayIcon() {
    TrayIcon1->add();
    // Long enough for a panel that starts with the desktop session alongside the program.
    QTimer::singleShot(kTrayHostWaitMs, this, &TForm1::showIfNoTrayHost);
}

void TForm1::applyLocked(bool locked) {
    // Every tick asks for an appearance; only a change needs a repaint.
    if (lockedShown_ == locked)
        return;
    lockedShown_ = locked;
    for (QWidget* control : {static_cast<QWidget*>(SpinEdit2), static_cast<QWidget*>(SpinEdit3),
                             static_cast<QWidget*>(StringGrid1), static_cast<QWidget*>(Button2)})
        control->setEnabled(!locked);
    setGridColour(locked);
}

void TForm1::applyCancelledAppearance() {
    SpinEdit2->setEnabled(true);
    SpinEdit3->setEnabled(true);
    StringGrid1->setEnabled(true);
    setGridColour(false);
    // Neither appearance is shown whole now, so the next request must apply in full.
    lockedShown_.reset();
}

void TForm1::setGridColour(bool locked) {
    QPalette palette = StringGrid1->palette();
    QColor base = locked ? kLockedGrey : QApplication::palette().color(QPalette::Base);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    StringGrid1->setPalette(palette);
}

void TForm1::setTimerInterval(int ms) {
    Timer1->setInterval(ms);
}

void TForm1::showCountdown() {
    if (countdown_ == nullptr)
        throw std::logic_error("no countdown dialog attached to the main window");
    countdown_->showCountdown();
}

} // namespace ui
