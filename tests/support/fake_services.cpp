// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

namespace vermo::testing {

namespace {
template <class Hook>
void runWhileOpen(const Hook& hook)
{
    if (hook)
        hook();
}
}  // namespace

void ScriptedDialogs::message(const std::string& text, const std::string& title)
{
    shown.push_back({ShownBox::Message, text, title, {}});
    if (!messageHooks.empty()) {
        auto hook = std::move(messageHooks.front());
        messageHooks.pop_front();
        runWhileOpen(hook);
    }
}

Answer ScriptedDialogs::askYesNo(const std::string& text, const std::string& title)
{
    shown.push_back({ShownBox::YesNo, text, title, {}});
    if (yesNoReplies.empty())
        return Answer::Yes;
    Reply reply = std::move(yesNoReplies.front());
    yesNoReplies.pop_front();
    runWhileOpen(reply.whileOpen);
    return reply.answer;
}

std::string ScriptedDialogs::input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText)
{
    shown.push_back({ShownBox::Input, prompt, title, defaultText});
    if (shown.size() > maxBoxes)
        throw std::runtime_error("the game keeps asking: " + prompt);
    if (inputReplies.empty())
        return defaultText;
    Reply reply = std::move(inputReplies.front());
    inputReplies.pop_front();
    runWhileOpen(reply.whileOpen);
    return reply.text;
}

void ScriptedDialogs::answerInput(std::string text, std::function<void()> whileOpen)
{
    inputReplies.push_back({std::move(text), Answer::Yes, std::move(whileOpen)});
}

void ScriptedDialogs::answerYesNo(Answer answer, std::function<void()> whileOpen)
{
    yesNoReplies.push_back({{}, answer, std::move(whileOpen)});
}

void ScriptedDialogs::onMessage(std::function<void()> whileOpen)
{
    messageHooks.push_back(std::move(whileOpen));
}

double ScriptedRandom::next()
{
    ++draws;
    if (!values.empty()) {
        last = values.front();
        values.pop_front();
    }
    return last;
}

void ScriptedRandom::queueBerry(int column, int kind, int row)
{
    queueOutcome(column, 23);
    queueOutcome(kind, 5);
    queueOutcome(row, 23);
}

void ScriptedRandom::queuePoison(int column, int row)
{
    queueOutcome(column, 23);
    queueOutcome(row, 23);
}

GameRig::GameRig(std::filesystem::path folder, std::shared_ptr<const Accounts> accounts)
    : folder_(std::move(folder)), accounts_(std::move(accounts))
{
}

void GameRig::create()
{
    game = std::make_unique<VermoGame>(Services{tmscoreupdate, tmvermomove, tmshake, tminvisible,
                                                dialogs, random, window, programEnd, windows,
                                                Folder::open(folder_, accounts_), [this](bool waiting) {
                                                    waits.push_back({waiting, dialogs.shown.size()});
                                                    if (waiting && whileWaiting)
                                                        whileWaiting();
                                                }});
}

void GameRig::load()
{
    create();
    game->Form_Load();
}

void GameRig::startPlaying(const std::string& speedAnswer)
{
    load();
    dialogs.answerInput(speedAnswer);
    game->cmdstart_Click();
}

void GameRig::putHead(int column, int row)
{
    auto& g = *game;
    g.vermo(0).Left = gridCoordinate(column);
    g.vermo(0).Top = gridCoordinate(row);
    for (Image* picture : {&g.headu, &g.headd, &g.headl, &g.headr}) {
        picture->Left = g.vermo(0).Left;
        picture->Top = g.vermo(0).Top;
    }
}

void GameRig::putBerry(int column, int row, int kind)
{
    game->berry.Left = gridCoordinate(column);
    game->berry.Top = gridCoordinate(row);
    game->berryKind = static_cast<std::uint8_t>(kind);
}

}  // namespace vermo::testing
