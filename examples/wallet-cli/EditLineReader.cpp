#include "examples/wallet-cli/EditLineReader.hpp"

#include <histedit.h>

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "platform/async/Task.hpp"

namespace corvend::cli {

namespace {

// Lines a person can recall in one session.
constexpr int kHistorySize = 500;

}  // namespace

std::shared_ptr<EditLineReader> EditLineReader::make(platform::MainQueue& queue,
                                                     LineFitter& screen) {
    return std::make_shared<EditLineReader>(Passkey{}, queue, screen);
}

EditLineReader::EditLineReader(Passkey, platform::MainQueue& queue, LineFitter& screen)
    : queue_(queue),
      screen_(screen),
      history_(history_init(), history_end),
      editor_(el_init("wallet-cli", stdin, stdout, stderr), el_end) {
    if (!history_ || !editor_) throw std::runtime_error("the line editor could not start");
    HistEvent event;
    history(history_.get(), &event, H_SETSIZE, kHistorySize);
    history(history_.get(), &event, H_SETUNIQUE, 1);
    el_set(editor_.get(), EL_CLIENTDATA, this);
    el_set(editor_.get(), EL_PROMPT, &EditLineReader::prompt);
    el_set(editor_.get(), EL_EDITOR, "emacs");
    el_set(editor_.get(), EL_HIST, history, history_.get());
    // Ctrl-C or a stop while editing puts the terminal back as it was.
    el_set(editor_.get(), EL_SIGNAL, 1);
}

char* EditLineReader::prompt(editline* editor) {
    void* reader = nullptr;
    el_get(editor, EL_CLIENTDATA, &reader);
    return static_cast<EditLineReader*>(reader)->prompt_.data();
}

void EditLineReader::next(Delivery deliver) {
    {
        std::scoped_lock lock(mutex_);
        if (reading_) throw std::logic_error("a line is already being read");
        reading_ = true;
    }
    prompt_ = screen_.shownLine();
    auto self = shared_from_this();
    platform::Task<void>::detached([self, deliver = std::move(deliver)]() mutable {
        auto line = self->readLine();
        self->queue_.async([self, deliver = std::move(deliver), line = std::move(line)]() mutable {
            {
                std::scoped_lock lock(self->mutex_);
                self->reading_ = false;
            }
            // The person's Enter left the terminal on a new line (Ctrl-D at the end does not).
            if (line) self->screen_.lineEnded();
            deliver(std::move(line));
        });
    });
}

std::optional<std::string> EditLineReader::readLine() {
    // The prompt is on the screen already: back to the line's start, so the editor draws it
    // over itself and knows where its own text begins.
    std::fputs("\r", stdout);
    int count = 0;
    const char* read = el_gets(editor_.get(), &count);
    if (read == nullptr || count <= 0) return std::nullopt;
    std::string line(read, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (!line.empty()) {
        HistEvent event;
        history(history_.get(), &event, H_ENTER, line.c_str());
    }
    return line;
}

}  // namespace corvend::cli
