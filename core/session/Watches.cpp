#include "Watches.h"

#include "core/book/Vocabulary.h"
#include "core/files/SettingsFile.h"
#include "core/forms/FormDesign.h"
#include "core/lang/Catalogue.h"
#include "core/schedule/CpuIdleWatch.h"
#include "core/schedule/SchedulerTick.h"

namespace core {

Watches::Watches(const SessionServices& services, MainWindowValues& values,
                 MainWindowControls& controls, History& history, TickDriver& ticks,
                 WindowLocks& locks, Countdown countdown)
    : services_(services), values_(values), controls_(controls), history_(history), ticks_(ticks),
      locks_(locks), countdown_(std::move(countdown)),
      jobWatch_(services.processes, services.network, services.input) {}

void Watches::showSettings() {
    namespace d = design::form1;
    const Settings& settings = services_.state.settings;
    const MainWindowValues before = values_;
    values_.thresholdPercent = d::SpinEdit2.range.clamped(settings.cpuPercent());
    values_.durationMinutes = d::SpinEdit3.range.clamped(settings.cpuMinutes());
    values_.job = {isOn(settings.PROGchange),
                   values_.job.program,
                   isOn(settings.NETchange),
                   d::SpinEdit4.range.clamped(settings.networkRate()),
                   d::SpinEdit5.range.clamped(settings.networkMinutes()),
                   isOn(settings.INPUTchange),
                   d::SpinEdit6.range.clamped(settings.noInputMinutes()),
                   values_.job.noInputUnavailable};
    fieldsChanged(before);
    controls_.showValues(values_);
}

void Watches::offerConditions() {
    const auto idle = services_.input.idleTime();
    const auto* reason = std::get_if<std::string>(&idle);
    values_.job.noInputUnavailable = reason != nullptr ? *reason : std::string();
}

void Watches::fieldsChanged(const MainWindowValues& before) {
    if (values_.thresholdPercent != before.thresholdPercent)
        SpinEdit2Change();
    if (values_.durationMinutes != before.durationMinutes)
        SpinEdit3Change();
    if (values_.job != before.job)
        jobFieldsChanged();
}

void Watches::startCpuWatch() {
    if (services_.state.JobWatchActive) {
        services_.prompter.inform(*anotherWatchRuns());
        return;
    }
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = true;
    locks_.lock(true);
    ticks_.reschedule();
    const OwnLanguage own;
    confirmWatch();
}

void Watches::stopCpuWatch() {
    // The other watch's table stays held.
    if (services_.state.JobWatchActive)
        return;
    services_.state.CpuIdleTicks = 0;
    services_.state.CpuWatchActive = false;
    locks_.lock(false);
    ticks_.reschedule();
}

void Watches::startJobWatchFromFields() {
    const JobFields& fields = values_.job;
    JobConditions conditions;
    if (fields.programTicked) {
        const auto first = fields.program.find_first_not_of(' ');
        if (first == std::string::npos) {
            services_.prompter.inform(tr("プログラムの名前かプロセス番号を入れてください。"));
            return;
        }
        conditions.programs = {
            fields.program.substr(first, fields.program.find_last_not_of(' ') - first + 1)};
    }
    if (fields.networkTicked)
        conditions.network = NetworkLimit{fields.networkRate, fields.networkMinutes};
    if (fields.noInputTicked)
        conditions.noInputMinutes = fields.noInputMinutes;
    if (auto refusal = startJobWatch(conditions))
        services_.prompter.inform(*refusal);
}

std::optional<std::string> Watches::startJobWatch(const JobConditions& conditions) {
    if (auto refusal = anotherWatchRuns())
        return refusal;
    // The countdown's end would leave a watch behind that holds nothing.
    if (countdown_.busy())
        return tr("カウントダウン中なので、できません。");
    const auto fired = [this] {
        runGuarded(services_.prompter, [this] {
            ticks_.setWatchSampling(false);
            fire(tr("終了待ち: ") + jobWatch_.conditionsText());
        });
    };
    if (auto refusal = jobWatch_.start(conditions, services_.clock.now(), fired))
        return refusal;
    services_.state.JobWatchActive = true;
    locks_.lock(true);
    ticks_.setWatchSampling(jobWatch_.samples());
    const OwnLanguage own;
    history_.record(history::kWatch, watching().value_or(""));
    confirmWatch();
    return std::nullopt;
}

void Watches::offerPrograms() {
    controls_.offerPrograms(services_.processes.runningNames());
}

void Watches::jobFieldsChanged() {
    const JobFields& fields = values_.job;
    Settings& settings = services_.state.settings;
    // Only what differs from the stored value, so a hand-edited text that still means it stays.
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    if (fields.programTicked != isOn(settings.PROGchange))
        storeSetting(&Settings::PROGchange, flag(fields.programTicked));
    if (fields.networkTicked != isOn(settings.NETchange))
        storeSetting(&Settings::NETchange, flag(fields.networkTicked));
    if (fields.networkRate != settings.networkRate())
        storeSetting(&Settings::NETRate, std::to_string(fields.networkRate));
    if (fields.networkMinutes != settings.networkMinutes())
        storeSetting(&Settings::NETMinutes, std::to_string(fields.networkMinutes));
    if (fields.noInputTicked != isOn(settings.INPUTchange))
        storeSetting(&Settings::INPUTchange, flag(fields.noInputTicked));
    if (fields.noInputMinutes != settings.noInputMinutes())
        storeSetting(&Settings::INPUTMinutes, std::to_string(fields.noInputMinutes));
}

void Watches::SpinEdit2Change() {
    storeSetting(&Settings::CPUPersent, std::to_string(values_.thresholdPercent));
}

void Watches::SpinEdit3Change() {
    storeSetting(&Settings::CPUMinitu, std::to_string(values_.durationMinutes));
}

void Watches::cpuWatchStep(int usage) {
    const bool fires = advanceCpuIdleWatch(services_.state, usage, values_.thresholdPercent,
                                           values_.durationMinutes);
    locks_.lock(true);
    if (fires)
        fire(tr("CPU 使用率の監視"));
}

void Watches::startCpuWatchFromBooking(const std::string& shown) {
    SharedState& state = services_.state;
    history_.record(history::kWatch, actionName(describe(state.PendingAction)) + ": " +
                                         fill(tr("{0} から CPU 使用率の監視へ"), {shown}));
    state.CpuIdleTicks = 0;
    state.CpuWatchActive = true;
    locks_.lock(true);
    values_.tab = kCpuTab;
    if (auto index = selectorIndexOf(state.PendingAction))
        values_.select(Selector::Action, *index);
    controls_.showValues(values_);
}

void Watches::jobWatchTick() {
    if (services_.state.JobWatchActive)
        jobWatch_.tick(services_.clock.now());
}

void Watches::endAll() {
    services_.state.CpuWatchActive = false;
    endJobWatch();
}

void Watches::fire(const std::string& cause) {
    if (auto action = actionAtSelectorIndex(values_.index(Selector::Action)))
        services_.state.PendingAction = *action;
    countdown_.show(cause);
}

std::optional<std::string> Watches::anotherWatchRuns() const {
    if (services_.state.CpuWatchActive || services_.state.JobWatchActive)
        return tr("監視が動いています。先に停止してください。");
    return std::nullopt;
}

void Watches::confirmWatch() {
    controls_.confirm(fill(tr("監視を始めました。{0}"), {watching().value_or("")}));
}

void Watches::endJobWatch() {
    jobWatch_.stop();
    services_.state.JobWatchActive = false;
    ticks_.setWatchSampling(false);
}

std::string Watches::selectedActionName() const {
    const auto action = actionAtSelectorIndex(values_.index(Selector::Action));
    return actionName(action ? describe(*action) : nullptr);
}

std::optional<std::string> Watches::startWatch(const ScriptCommand& command) {
    if (auto index = selectorIndexOf(command.action)) {
        values_.select(Selector::Action, *index);
        controls_.showValues(values_);
    }
    if (command.cpuPercent == 0) {
        JobConditions conditions{command.programs, std::nullopt, std::nullopt, command.sender};
        if (command.networkRate > 0)
            conditions.network = NetworkLimit{command.networkRate, command.minutes};
        if (command.noInputMinutes > 0)
            conditions.noInputMinutes = command.noInputMinutes;
        return startJobWatch(conditions);
    }
    if (auto refusal = anotherWatchRuns())
        return refusal;
    // Stored first, as the fields would store what is typed into them: a command opens no box,
    // so a setting that cannot be written is its answer, and nothing changes.
    const int percent = design::form1::SpinEdit2.range.clamped(command.cpuPercent);
    const int minutes = design::form1::SpinEdit3.range.clamped(command.minutes);
    if (auto failure = writeQuietly(&Settings::CPUPersent, std::to_string(percent)))
        return failure;
    if (auto failure = writeQuietly(&Settings::CPUMinitu, std::to_string(minutes)))
        return failure;
    values_.thresholdPercent = percent;
    values_.durationMinutes = minutes;
    controls_.showValues(values_);
    startCpuWatch();
    return std::nullopt;
}

bool Watches::stopWatch() {
    const OwnLanguage own;
    if (services_.state.CpuWatchActive) {
        stopCpuWatch();
        return true;
    }
    if (!services_.state.JobWatchActive)
        return false;
    endJobWatch();
    locks_.lock(false);
    return true;
}

std::optional<std::string> Watches::watching() const {
    const SharedState& state = services_.state;
    if (state.CpuWatchActive)
        return fill(tr("CPU 使用率 {0}% 以下が {1} 分続いたら {2}"),
                    {std::to_string(values_.thresholdPercent),
                     std::to_string(values_.durationMinutes), selectedActionName()});
    if (!state.JobWatchActive)
        return std::nullopt;
    return fill(tr("終了待ち: {0}したら {1}"), {jobWatch_.conditionsText(), selectedActionName()});
}

void Watches::storeSetting(std::string Settings::*member, std::string value) {
    Settings& settings = services_.state.settings;
    settings.*member = std::move(value);
    runGuarded(services_.prompter,
               [&] { writeSetting(services_.files, services_.settingsPath, settings, member); });
}

std::optional<std::string> Watches::writeQuietly(std::string Settings::*member,
                                                 const std::string& value) {
    try {
        writeSetting(services_.files, services_.settingsPath, settingKey(member).name, value);
    } catch (const std::exception& e) {
        return e.what();
    }
    services_.state.settings.*member = value;
    return std::nullopt;
}

} // namespace core
