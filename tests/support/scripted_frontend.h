#pragma once

#include <deque>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

#include "interface/frontend.h"

namespace tessaril::testing {

// A Frontend for tests: it records every call as one line of `calls` ("message 提示: 打开文件失败",
// "refresh source", "dialog export format", ...) and answers pickers and dialogs from queues that
// the test fills beforehand (Answers<ExportFormatValues>() for a dialog); an empty queue answers
// "cancelled".
class ScriptedFrontend : public Frontend {
 public:
  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    calls.push_back("message " + message.caption + ": " + message.text);
  }
  bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon) override {
    calls.push_back("ask " + caption + ": " + text);
    bool answer = yes_no.empty() ? false : yes_no.front();
    if (!yes_no.empty())
      yes_no.pop_front();
    return answer;
  }
  std::optional<std::vector<std::string>> PickOpenFiles(const OpenFileRequest& request) override {
    calls.push_back("pick open " + request.filter);
    return Take(open_files);
  }
  std::optional<std::string> PickSaveFile(const SaveFileRequest& request) override {
    calls.push_back("pick save " + request.filter);
    if (request.chosen_type)
      *request.chosen_type = save_type;
    return Take(save_files);
  }
  std::optional<std::string> PickFolder(const std::string& title, const std::string&) override {
    calls.push_back("pick folder " + title);
    return Take(folders);
  }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void RefreshSourceView() override { calls.push_back("refresh source"); }
  void RefreshTargetView() override { calls.push_back("refresh target"); }

  std::optional<std::string> ClipboardText() override {
    calls.push_back("clipboard get");
    return clipboard;
  }
  bool SetClipboardText(const std::string& text) override {
    calls.push_back("clipboard set");
    if (!clipboard_takes_text)
      return false;
    clipboard = text;
    return true;
  }
  // Logs "dialog NAME", keeps the values shown and answers from the dialog's queue.
  std::optional<DialogValues> AskDialog(const DialogValues& shown) override {
    return std::visit(
        [&](const auto& values) {
          using Values = std::decay_t<decltype(values)>;
          calls.push_back("dialog " + std::string(Values::kDialogName));
          Shown<Values>() = values;
          return DialogAnswer(Take(Answers<Values>()));
        },
        shown);
  }

  // Online pieces.
  bool OpenUrl(const std::string& url) override {
    calls.push_back("open " + url);
    return open_url_succeeds;
  }

  // Recorded.
  std::vector<std::string> calls;
  std::vector<Message> messages;
  std::vector<int> progress;

  // What each dialog was shown last, and its answers, by the dialog's values type.
  template <typename Values>
  std::optional<Values>& Shown() {
    return std::get<std::optional<Values>>(dialogs_.shown);
  }
  template <typename Values>
  std::deque<std::optional<Values>>& Answers() {
    return std::get<std::deque<std::optional<Values>>>(dialogs_.answers);
  }

  // Answers.
  std::deque<bool> yes_no;
  std::deque<std::optional<std::vector<std::string>>> open_files;
  std::deque<std::optional<std::string>> save_files;
  // The file type the save picker answers with, counted from 0 in its filter.
  int save_type = 0;
  std::deque<std::optional<std::string>> folders;
  // The clipboard's text (nothing: no text offered) and whether it takes new text.
  std::optional<std::string> clipboard;
  bool clipboard_takes_text = true;

  // Online pieces.
  bool open_url_succeeds = true;

 private:
  template <typename Variant>
  struct DialogQueues;
  template <typename... Values>
  struct DialogQueues<std::variant<Values...>> {
    std::tuple<std::deque<std::optional<Values>>...> answers;
    std::tuple<std::optional<Values>...> shown;
  };
  DialogQueues<DialogValues> dialogs_;

  template <typename T>
  static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
    if (queue.empty())
      return std::nullopt;
    std::optional<T> answer;
    answer.swap(queue.front());
    queue.pop_front();
    return answer;
  }
};

}  // namespace tessaril::testing
