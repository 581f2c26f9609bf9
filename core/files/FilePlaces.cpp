#include "FilePlaces.h"

#include "History.h"
#include "ReservationFile.h"
#include "SettingsFile.h"

namespace core {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The folder joined with a name by the separator the folder already uses.
std::string inFolder(const std::string& folder, std::string_view name) {
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    return folder + separator + std::string(name);
}

} // namespace

std::string settingsFilePlace(const std::string& programPath, const std::string& userFolder,
                              const PlaceProbe& probe) {
    std::string beside = settingsPathFor(programPath);
    if (probe.exists(beside) || probe.folderWritable(folderOf(beside)))
        return beside;
    return inFolder(userFolder, "Brindlewhistmoore.ini");
}

std::string reservationFilePlace(const std::string& settingsPath, const PlaceProbe& probe) {
    if (probe.exists(kReservationFileName) || probe.folderWritable("."))
        return kReservationFileName;
    return inFolder(folderOf(settingsPath), kReservationFileName);
}

std::string historyFilePlace(const std::string& settingsPath) {
    return inFolder(folderOf(settingsPath), kHistoryFileName);
}

std::string postponementsFilePlace(const std::string& settingsPath) {
    return inFolder(folderOf(settingsPath), "Brindlewhistmoore-postponed.txt");
}

} // namespace core
