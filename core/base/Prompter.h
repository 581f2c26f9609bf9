#pragma once

#include <exception>
#include <string>

namespace core {

// The program's message boxes, so that window models can ask and tests can answer.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A confirmation titled "確認"; true only for "はい(&Y)".
    virtual bool ask(const std::string& question) = 0;
    virtual void inform(const std::string& message) = 0;
    virtual void showError(const std::string& message) = 0;
};

// The one place where an error that a handler did not catch ends that handler: the error box
// shows its text and the program goes on with the next event.
template <typename Handler> void runGuarded(Prompter& prompter, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        prompter.showError(e.what());
    } catch (...) {
        prompter.showError("予期しないエラーが発生しました。");
    }
}

} // namespace core
