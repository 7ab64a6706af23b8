// A Prompter for tests: records every box and busy window, answers questions as told, and
// can run a hook while a box is up (to try things a player could do at that moment).
#pragma once

#include "platform/prompter.h"

#include <functional>
#include <string>
#include <vector>

namespace cavtest
{

class RecordingPrompter : public platform::Prompter
{
public:
    struct Box
    {
        std::string kind; // "tell", "inform", "error", "ask"
        std::string text;
        std::string caption;
    };

    void Tell(const std::string& text, const std::string& caption) override
    {
        Record("tell", text, caption);
    }
    void Inform(const std::string& text, const std::string& caption) override
    {
        Record("inform", text, caption);
    }
    void ReportError(const std::string& text, const std::string& caption) override
    {
        Record("error", text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        Record("ask", text, caption);
        return answerYes;
    }
    void BeginBusy(const std::string& text) override
    {
        busyTexts.push_back(text);
        ++busyDepth;
    }
    void EndBusy() override { --busyDepth; }

    // The texts of all boxes, in order, as "text|caption".
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const Box& b : boxes)
            out.push_back(b.text + "|" + b.caption);
        return out;
    }

    std::vector<Box> boxes;
    std::vector<std::string> busyTexts;
    int busyDepth = 0;
    bool answerYes = true;
    std::function<void()> whileBoxIsUp;

private:
    void Record(const char* kind, const std::string& text, const std::string& caption)
    {
        boxes.push_back(Box{kind, text, caption});
        if (whileBoxIsUp)
            whileBoxIsUp();
    }
};

} // namespace cavtest
