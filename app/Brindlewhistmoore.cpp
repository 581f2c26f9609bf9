#include "core/ReservationFile.h"
#include "core/SharedState.h"
#include "platform/AtomicFileStore.h"
#include "platform/DisplayCheck.h"
#include "platform/SystemClock.h"
#include "platform/UnavailablePower.h"
#include "platform/ZeroCpuMeter.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (auto problem = platform::displayProblem()) {
        std::fprintf(stderr, "Brindlewhistmoore: %s\n", problem->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewhistmoore"));

    core::SharedState state;
    platform::SystemClock clock;
    platform::ZeroCpuMeter cpu;
    platform::UnavailablePower power;
    platform::AtomicFileStore files;
    ui::MessageBoxPrompter prompter;

    ui::TForm1 Form1({state, clock, cpu, power, prompter, files, core::kReservationFileName});
    ui::TForm2 Form2;
    Form1.attachCountdown(Form2);
    Form1.show();
    return QApplication::exec();
}
