#pragma once
// Every message of the component goes through MsgBox, with the classic style numbers.
// The windows install a QMessageBox implementation; batch runs print to the console;
// tests install a recorder with scripted answers.
#include <QString>
#include <memory>

namespace ostrevan {

enum MsgStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
};

enum MsgResult : int {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual int Show(const QString& text, int style, const QString& title) = 0;
};

// The answer a box gives when nobody can press a button: its default button.
int DefaultAnswer(int style);

// Writes every message to standard error and answers with the default button.
class ConsoleMessages final : public MessageService {
 public:
  int Show(const QString& text, int style, const QString& title) override;
};

// Installs a service; returns the previous one so a scope can put it back.
std::shared_ptr<MessageService> SetMessageService(std::shared_ptr<MessageService> s);
MessageService& Messages();

// An empty title means the application's default title.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = {});

// While it lives, messages are held (each answered with its default button) and shown, in
// order, when it ends: a procedure that holds the database open for writing shows nothing
// that waits for the user. Only for procedures whose messages are all OK boxes.
class HeldMessages final {
 public:
  HeldMessages();
  ~HeldMessages();
  HeldMessages(const HeldMessages&) = delete;
  HeldMessages& operator=(const HeldMessages&) = delete;
  // Puts the previous service back and shows what was held; later calls do nothing.
  void Release();

 private:
  class Holder;
  std::shared_ptr<Holder> holder_;
  std::shared_ptr<MessageService> previous_;
};

}  // namespace ostrevan
