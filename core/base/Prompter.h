#pragma once

#include "core/lang/Catalogue.h"

#include <exception>
#include <string>

namespace core {

// The program's message boxes, so that window models can ask and tests can answer. Every box
// goes through here, so the program knows when one is open: its loop runs other events meanwhile.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A confirmation titled "確認"; true only for "はい(&Y)".
    bool ask(const std::string& question) {
        const Open open(*this);
        return askBox(question);
    }
    void inform(const std::string& message) {
        const Open open(*this);
        informBox(message);
    }
    void showError(const std::string& message) {
        const Open open(*this);
        errorBox(message);
    }
    // A box is open and waits for the user.
    bool waitsForUser() const { return openBoxes_ > 0; }

private:
    struct Open {
        explicit Open(Prompter& prompter) : prompter_(prompter) { ++prompter_.openBoxes_; }
        ~Open() { --prompter_.openBoxes_; }
        Open(const Open&) = delete;
        Open& operator=(const Open&) = delete;
        Prompter& prompter_;
    };

    virtual bool askBox(const std::string& question) = 0;
    virtual void informBox(const std::string& message) = 0;
    virtual void errorBox(const std::string& message) = 0;

    int openBoxes_ = 0;
};

// The one place where an error that a handler did not catch ends that handler: the error box
// shows its text and the program goes on with the next event.
template <typename Handler> void runGuarded(Prompter& prompter, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        prompter.showError(e.what());
    } catch (...) {
        prompter.showError(tr("予期しないエラーが発生しました。"));
    }
}

} // namespace core
