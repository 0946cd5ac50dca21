#pragma once

// The contact panel of the main window: the user types a free message and sends it to the
// maker with "&Envoyer".

#include <QLabel>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "platform/panels.h"
#include "platform/registry.h"
#include "platform/shapedbutton.h"
#include "shell/serverrequest.h"
#include "workspace/VariableText.h"

class TMessForm;

// The lines of a multi-line text as the field holds them: none when it is empty, and no empty
// line after a final line break.
std::vector<std::string> FieldLines(const std::string& text);

// The message of the lines: each one preceded by CR LF.
std::string ContactMessageText(const std::vector<std::string>& lines);

// "Usr=" + the identifier as it is + "&Msg=" + the form encoding (flag 0) of the text.
std::string ContactMessageBody(const std::string& userIdentifier, const std::string& text);

class ContactPanel : public TransparentPanel {
public:
    static constexpr const char* MessageScript = "message.php";
    static constexpr int ThanksEntry = 80;

    ContactPanel(QWidget* parent, ServerRequests& requests, Registry& registry, const VariableText& texts);

    // The message form of the program, once it exists.
    void SetMessageForm(TMessForm* form) { messForm_ = form; }

    // "&Envoyer": sends the typed message; asks first for the user's e-mail address when none
    // is known (a cancelled question sends nothing and keeps the message).
    void PCTCTenvoyerClick();

    QLabel* PCTCTlabel1;
    QLabel* PCTCTlabel2;
    QPlainTextEdit* Memomsg;
    ShapedButton* PCTCTenvoyer;

private:
    // The identifier to send, asked for and stored when missing; empty when the user declined.
    std::string AskedUserIdentifier();

    ServerRequests& requests_;
    Registry& registry_;
    const VariableText& texts_;
    TMessForm* messForm_ = nullptr;
};
