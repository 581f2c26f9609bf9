#include "Unit1.h"

#include "Centring.h"
#include "Design.h"
#include "Fonts.h"
#include "LiveLabel.h"
#include "ProgramBox.h"
#include "ReaderRole.h"
#include "ReservationGridModel.h"
#include "Selectors.h"
#include "TrayIcon.h"
#include "Unit4.h"
#include "core/forms/SelectorItems.h"

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

namespace d = core::design::form1;

// The tab control's frame round a sheet, with a margin inside it.
constexpr int kSheetFrame = 8;

// Labels whose text changes while the program runs get room for their widest text.
QLabel* makeValueLabel(QWidget* parent, core::design::Rect place) {
    auto* label = new QLabel(parent);
    label->setGeometry(qRect(place));
    return label;
}

QComboBox* placeSelector(QWidget* parent, core::design::Rect place, core::Selector selector) {
    QStringList items;
    for (const auto& item : core::shownSelectorItems(selector))
        items << QString::fromStdString(item);
    QComboBox* box = makeSelector(parent, items);
    box->setGeometry(qRect(place));
    return box;
}

} // namespace

TForm1::TForm1(Form1Services services, core::TickTimer& tickTimer, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), model_(services_, table_, *this, tickTimer) {
    setWindowTitle(qTr(d::kTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(programFont());
    setReaderRole(*this, QAccessible::Window);
    const core::design::Size client = core::design::widened(d::kClient);
    setFixedSize(client.width, client.height);
    TrayIcon1 = new TrayIcon(this);
    connect(TrayIcon1, &TrayIcon::leftButtonDown, this, &TForm1::ICONMessage);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setVisible(bool visible) {
    if (visible)
        buildWidgets();
    QWidget::setVisible(visible);
}

void TForm1::buildWidgets() {
    if (built())
        return;
    setWindowIcon(programIcon());

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setGeometry(qRect(d::MonthCalendar1));
    MonthCalendar1->setLocale(QLocale(QString::fromUtf8(
        core::languageInUse().data(), static_cast<qsizetype>(core::languageInUse().size()))));
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(qRect(d::PageControl1));
    // The four captions must fit the control without scroll arrows.
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    buildTimeSheet();
    buildElapsedSheet();
    buildCpuSheet();
    buildJobSheet();

    Label1 = makeLabel(this, d::Label1);
    Label2 = makeValueLabel(this, d::Label2);
    LiveLine = new LiveLabel(this);
    LiveLine->setGeometry(0, 0, 0, 0);
    ComboBox5 = placeSelector(this, d::ComboBox5, core::Selector::Action);
    Button2 = makeButton(this, d::Button2);
    // No tab stop, but a click takes the focus, so a spin field being typed in is corrected.
    Button2->setFocusPolicy(Qt::ClickFocus);
    Button4 = makeButton(this, d::Button4);
    buildGrid();
    Button3 = makeButton(this, d::Button3);
    Button8 = makeButton(this, d::Button8);
    nameControls();
    showPolicyLine(policyLine_);
    Button3->setFocusPolicy(Qt::ClickFocus);

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::openPolicyBookings);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->addAction(qTr(d::Delete1), this, &TForm1::Delete1Click);
    PopupMenu2->addAction(qTr(d::N6), this, &TForm1::N6Click);
    PopupMenu2->addAction(qTr(d::N7), this, &TForm1::N7Click);
    for (QObject* part :
         {static_cast<QObject*>(StringGrid1), static_cast<QObject*>(StringGrid1->viewport()),
          static_cast<QObject*>(StringGrid1->verticalHeader()->viewport()),
          static_cast<QObject*>(StringGrid1->horizontalHeader()->viewport())})
        part->installEventFilter(this);

    connectFields();
    model_.widgetsBuilt();
}

void TForm1::buildTrayMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(qTr(d::N1), this, &TForm1::N1Click);
    PopupMenu1->addAction(qTr(d::N8), this, &TForm1::openHistory);
    N9 = PopupMenu1->addAction(qTr(d::N9), this, &TForm1::openPolicyBookings);
    N9->setVisible(!policyLine_.empty());
    PopupMenu1->addAction(qTr(d::Exit1), this, &TForm1::Exit1Click);
    QMenu* N3 = PopupMenu1->addMenu(qTr(d::N3));
    N3->addAction(qTr(d::N4), this, &TForm1::N4Click);
    N3->addAction(qTr(d::N5), this, &TForm1::N5Click);
    PopupMenu1->addAction(qTr(d::N2), this, &TForm1::N2Click);
    PopupMenu1->addAction(qTr(d::N10), this, &TForm1::cancelFromTray);
}

QRadioButton* TForm1::makeRadio(const core::design::Control& design, int left) {
    auto* button = new QRadioButton(qTr(design.text), TabSheet1);
    // A longer word than designed moves the buttons after it along.
    QRect place = qRect(design.place);
    place.moveLeft(std::max(left, place.left()));
    place.setWidth(std::max(place.width(), button->sizeHint().width()));
    button->setGeometry(place);
    return button;
}

void TForm1::buildTimeSheet() {
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, qTr(d::kSheetCaptions[0]));
    ComboBox1 = placeSelector(TabSheet1, d::ComboBox1, core::Selector::Period);
    ComboBox2 = placeSelector(TabSheet1, d::ComboBox2, core::Selector::Hour);
    ComboBox3 = placeSelector(TabSheet1, d::ComboBox3, core::Selector::Minute);
    ComboBox4 = placeSelector(TabSheet1, d::ComboBox4, core::Selector::Weekdays);
    RadioButton1 = makeRadio(d::RadioButton1);
    RadioButton1->setToolTip(qTr(d::kOnceHint));
    RadioButton2 = makeRadio(d::RadioButton2, after(RadioButton1, 2));
    RadioButton3 = makeRadio(d::RadioButton3, after(RadioButton2, 2));
}

void TForm1::buildElapsedSheet() {
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet2, qTr(d::kSheetCaptions[1]));
    SpinEdit1 = makeSpin(TabSheet2, d::SpinEdit1);
    Label4 = makeLabel(TabSheet2, d::Label4, after(SpinEdit1, 3));
    ComboBox6 = placeSelector(TabSheet2, d::ComboBox6, core::Selector::ElapsedMinutes);
    Label5 = makeLabel(TabSheet2, d::Label5);
    Label3 = makeLabel(TabSheet2, d::Label3);
    Label8 = makeValueLabel(TabSheet2, d::Label8);
    Label6 = makeLabel(TabSheet2, d::Label6);
    Label9 = makeValueLabel(TabSheet2, d::Label9);
    Label7 = makeLabel(TabSheet2, d::Label7);
    Label10 = makeValueLabel(TabSheet2, d::Label10);
    Label11 = makeLabel(TabSheet2, d::Label11);
    for (QLabel* value : {Label8, Label9, Label10})
        paintText(value, d::kValueColour);
    Label8->hide();
    Label9->hide();
}

void TForm1::buildCpuSheet() {
    TabSheet3 = new QWidget;
    PageControl1->addTab(TabSheet3, qTr(d::kSheetCaptions[2]));
    Label12 = makeLabel(TabSheet3, d::Label12);
    Label13 = makeValueLabel(TabSheet3, d::Label13);
    paintText(Label13, d::kValueColour);
    Label14 = makeLabel(TabSheet3, d::Label14);
    // Each field is as wide as its largest value needs; what follows it moves along.
    SpinEdit2 = makeSpin(TabSheet3, d::SpinEdit2);
    Label15 = makeLabel(TabSheet3, d::Label15, after(SpinEdit2, 1));
    SpinEdit3 = makeSpin(TabSheet3, d::SpinEdit3, after(Label15, 2));
    Label16 = makeLabel(TabSheet3, d::Label16, after(SpinEdit3, 1));
    // The buttons move along after the fields, and give up width rather than run past the tab's
    // edge.
    const QRect designed = qRect(d::Button1.place);
    const int buttonLeft = std::max(designed.left(), after(Label16, 3));
    const int sheetRight = qRect(d::PageControl1).width() - kSheetFrame;
    const int right = std::min(buttonLeft + designed.width(), sheetRight);
    Button1 = makeButton(TabSheet3, d::Button1);
    Button5 = makeButton(TabSheet3, d::Button5);
    for (QPushButton* button : {Button1, Button5})
        button->setGeometry(buttonLeft, button->y(), right - buttonLeft, button->height());
}

void TForm1::nameControls() {
    namespace n = d::names;
    const std::pair<QWidget*, std::string_view> named[] = {
        {MonthCalendar1, n::MonthCalendar1}, {ComboBox1, n::ComboBox1},
        {ComboBox2, n::ComboBox2},           {ComboBox3, n::ComboBox3},
        {ComboBox4, n::ComboBox4},           {SpinEdit1, n::SpinEdit1},
        {ComboBox6, n::ComboBox6},           {SpinEdit2, n::SpinEdit2},
        {SpinEdit3, n::SpinEdit3},           {ComboBox7, n::ComboBox7},
        {SpinEdit4, n::SpinEdit4},           {SpinEdit5, n::SpinEdit5},
        {SpinEdit6, n::SpinEdit6},           {ComboBox5, n::ComboBox5},
        {StringGrid1, n::StringGrid1}};
    for (const auto& [widget, name] : named)
        nameForReaders(widget, name);
}

void TForm1::buildGrid() {
    StringGrid1 = new QTableView(this);
    StringGrid1->setGeometry(qRect(d::StringGrid1));
    gridModel_ = new ReservationGridModel(table_, this);
    StringGrid1->setModel(gridModel_);
    StringGrid1->setToolTip(qTr(d::kGridHint));
    StringGrid1->setAccessibleDescription(qTr(d::kGridHint));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setCornerButtonEnabled(false);
    // Tab leaves the grid, as it leaves any other control: the arrows move between rows.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setWordWrap(false);
    // Cells are as narrow as their texts: draw them with the slimmest margins, unelided.
    StringGrid1->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 1px; }"));
    StringGrid1->setTextElideMode(Qt::ElideNone);

    QHeaderView* top = StringGrid1->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setFixedHeight(core::kDefaultRowHeight + 1);
    top->setHighlightSections(false);
    for (int column = 1; column < core::kColumnCount; ++column)
        top->resizeSection(column - 1, core::design::widened(
                                           core::kColumnWidths[static_cast<std::size_t>(column)]));

    QHeaderView* side = StringGrid1->verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultSectionSize(core::kDefaultRowHeight + 1);
    side->setFixedWidth(core::design::widened(core::kColumnWidths[0]));
    side->setHighlightSections(false);
}

void TForm1::FormCreate() {
    centreOnPrimaryScreen(*this);
    model_.FormCreate();
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
}

void TForm1::reportWindowState() {
    model_.setWindowShown(isVisible() && !isMinimized());
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    model_.refreshClock();
    reportWindowState();
}

void TForm1::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    reportWindowState();
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        reportWindowState();
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
    // Built at its first use: laying out its texts is most of what a hidden start would cost.
    if (PopupMenu1 == nullptr)
        buildTrayMenu();
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
    if (!model_.FormCloseQuery())
        return;
    TrayIcon1->remove();
    close();
}

void TForm1::openHistory() {
    model_.openHistory();
}

void TForm1::openPolicyBookings() {
    model_.openPolicyBookings();
}

void TForm1::cancelFromTray() {
    model_.cancelFromTray();
}

void TForm1::sessionEndCalledOff() {
    model_.sessionEndCalledOff();
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
    // The session's end closes the windows too, and is never refused.
    if (!qApp->isSavingSession() && !model_.FormCloseQuery()) {
        event->ignore();
        return;
    }
    // Closing the main window in any way ends the program, dialogs included.
    TrayIcon1->remove();
    QWidget::closeEvent(event);
    QApplication::quit();
}

void TForm1::countdownCancelled(core::CancelledBy by) {
    model_.countdownCancelled(by);
}

std::optional<std::string> TForm1::countdownPostponed() {
    return model_.countdownPostponed();
}

std::optional<std::string> TForm1::countdownFinished() {
    return model_.countdownFinished();
}

void TForm1::showClock(const std::string& text) {
    if (!built())
        return;
    Label2->setText(QString::fromStdString(text));
}

void TForm1::showUsage(const std::string& text) {
    if (!built())
        return;
    Label13->setText(QString::fromStdString(text));
}

void TForm1::showRemainingTime(std::optional<core::RemainingTime> remaining) {
    if (!built())
        return;
    if (remaining) {
        Label8->setNum(remaining->days);
        Label9->setNum(remaining->hours);
        Label10->setNum(remaining->minutes);
    }
    for (QLabel* label : {Label8, Label9, Label10})
        label->setVisible(remaining.has_value());
}

void TForm1::addTrayIcon() {
    TrayIcon1->add();
    QTimer::singleShot(core::design::kTrayHostWaitMs, this, &TForm1::showIfNoTrayHost);
}

void TForm1::applyLocks(const core::ControlLocks& locks) {
    if (!built())
        return;
    SpinEdit2->setEnabled(locks.watchFields);
    SpinEdit3->setEnabled(locks.watchFields);
    enableJobFields(locks.watchFields);
    // Locked, the grid stays readable: it keeps the focus and its rows, and says why.
    setGridColour(!locks.grid);
    gridReason_ = locks.grid ? std::string() : locks.gridReason;
    StringGrid1->setAccessibleDescription(
        QString::fromStdString(gridReason_.empty() ? core::tr(d::kGridHint) : gridReason_));
    if (locks.bookButton)
        Button2->setEnabled(*locks.bookButton);
    const QString fieldsReason =
        locks.bookingFields ? QString() : QString::fromStdString(locks.gridReason);
    for (QWidget* field : std::initializer_list<QWidget*>{
             MonthCalendar1, ComboBox1, ComboBox2, ComboBox3, ComboBox4, RadioButton1, RadioButton2,
             RadioButton3, SpinEdit1, ComboBox6}) {
        field->setEnabled(locks.bookingFields);
        field->setAccessibleDescription(fieldsReason);
    }
    for (QWidget* sheet : {TabSheet1, TabSheet2})
        sheet->setToolTip(fieldsReason);
}

void TForm1::setGridColour(bool locked) {
    QPalette palette = StringGrid1->palette();
    QColor base =
        locked ? qColour(d::kLockedGridColour) : QApplication::palette().color(QPalette::Base);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    StringGrid1->setPalette(palette);
}

void TForm1::showCountdown() {
    if (countdown_ == nullptr)
        throw std::logic_error("no countdown dialog attached to the main window");
    countdown_->showCountdown();
}

void TForm1::cancelCountdown(core::CancelledBy by) {
    if (countdown_ != nullptr)
        countdown_->cancelCountdown(by);
}

void TForm1::showTable() {
    if (built())
        gridModel_->refresh();
}

void TForm1::showTrayTip(const std::string& tip) {
    TrayIcon1->setTip(QString::fromStdString(tip));
}

void TForm1::confirm(const std::string& text) {
    // A hidden window's line is heard by no reader: the desktop's notification says it instead.
    if (LiveLine != nullptr && isVisible()) {
        LiveLine->announce(QString::fromStdString(text));
        return;
    }
    emit noticeShown(core::Notice{std::string(core::design::kProductName), text, std::nullopt});
}

void TForm1::showNotice(const core::Notice& notice) {
    emit noticeShown(notice);
}

void TForm1::showPolicyLine(const std::string& text) {
    policyLine_ = text;
    if (N9 != nullptr)
        N9->setVisible(!text.empty());
    if (Button8 != nullptr) {
        // Hidden, it keeps a caption: a screen reader lists hidden controls too.
        if (!text.empty())
            Button8->setText(QString::fromStdString(text));
        Button8->setVisible(!text.empty());
    }
}

void TForm1::showPolicyBookings(const std::vector<core::PolicyBookingLine>& lines,
                                const std::string& limits) {
    if (Form4 == nullptr)
        Form4 = new TForm4(this);
    Form4->showList(lines, limits);
}

} // namespace ui
