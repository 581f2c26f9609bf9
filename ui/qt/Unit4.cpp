#include "Unit4.h"

#include "Centring.h"
#include "Design.h"
#include "Fonts.h"
#include "ReaderRole.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

namespace ui {

namespace {

namespace d = core::design::form4;

} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    setWindowTitle(qTr(d::kTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    setReaderRole(*this, QAccessible::Dialog);
    const core::design::Size client = core::design::widened(d::kClient);
    setFixedSize(client.width, client.height);

    ListView1 = new QTableWidget(0, static_cast<int>(d::kColumns.size()), this);
    ListView1->setAccessibleName(qTr(d::kListName));
    ListView1->setGeometry(qRect(d::ListView1));
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->verticalHeader()->hide();
    ListView1->setWordWrap(false);
    ListView1->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < static_cast<int>(d::kColumns.size()); ++column) {
        const d::Column& design = d::kColumns[static_cast<std::size_t>(column)];
        ListView1->setHorizontalHeaderItem(column, new QTableWidgetItem(qTr(design.caption)));
        ListView1->setColumnWidth(column, core::design::widened(design.width));
    }
    Label1 = new QLabel(this);
    Label1->setGeometry(qRect(d::Label1));
    Button1 = makeButton(this, d::Button1);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TForm4::showList(const std::vector<core::PolicyBookingLine>& lines,
                      const std::string& limits) {
    ListView1->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const core::PolicyBookingLine& line = lines[static_cast<std::size_t>(row)];
        const std::string* cells[] = {&line.name, &line.when, &line.time, &line.action, &line.next};
        for (int column = 0; column < 5; ++column)
            ListView1->setItem(row, column,
                               new QTableWidgetItem(QString::fromStdString(*cells[column])));
    }
    Label1->setText(QString::fromStdString(limits));
    if (!isVisible())
        centreOnPrimaryScreen(*this);
    show();
    raise();
    activateWindow();
}

} // namespace ui
