#include "shell/contactpanel.h"

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/windows1252.h"
#include "platform/disabledwhile.h"
#include "platform/qtextconvert.h"
#include "shell/Common.h"
#include "shell/UnitShowMess.h"
#include "shell/settingsstore.h"
#include "workspace/viewstyle.h"

namespace {

constexpr const char* kAskAddress =
    "Pour que nous puissions vous répondre, indiquez votre adresse électronique :";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::string> FieldLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string ContactMessageText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\r\n" + line;
    return text;
}

std::string ContactMessageBody(const std::string& userIdentifier, const std::string& text) {
    return "Usr=" + userIdentifier + "&Msg=" + FormEncode(text, 0);
}

ContactPanel::ContactPanel(QWidget* parent, ServerRequests& requests, Registry& registry,
                           const VariableText& texts)
    : TransparentPanel(parent), requests_(requests), registry_(registry), texts_(texts) {
    setObjectName(QStringLiteral("PanelContact"));
    PCTCTlabel1 = PanelTitle(this, QStringLiteral("Nous contacter"));
    PCTCTlabel2 = new QLabel(QStringLiteral("Une remarque ? Une question ? Une suggestion ? \n"
                                            "N'hésitez pas à nous envoyer directement un message grâce à la "
                                            "zone de texte ci-dessous."),
                             this);
    PCTCTlabel2->setFont(ArialPixels(12));
    PCTCTlabel2->move(220, 30);
    PCTCTlabel2->adjustSize();
    Memomsg = new QPlainTextEdit(this);
    Memomsg->setObjectName(QStringLiteral("Memomsg"));
    Memomsg->setGeometry(16, 72, 657, 250);
    Memomsg->setFont(ArialPixels(12));
    PCTCTenvoyer = new ShapedButton(this);
    PCTCTenvoyer->setObjectName(QStringLiteral("PCTCTenvoyer"));
    PCTCTenvoyer->SetCaption(QStringLiteral("&Envoyer"));
    PCTCTenvoyer->setFont(TahomaPixels(12));
    PCTCTenvoyer->setGeometry(266, 335, 119, 22);
    PCTCTenvoyer->OnClick = [this] { PCTCTenvoyerClick(); };
}

std::string ContactPanel::AskedUserIdentifier() {
    std::string identifier = UserIdentifier(registry_);
    if (!identifier.empty() || messForm_ == nullptr) return identifier;
    if (ShowMessageDialog(messForm_, Utf8ToWindows1252Lossy(kAskAddress), mkInput) != 1) return {};
    identifier = Trimmed(FromQString(messForm_->Edit1->text()));
    if (!identifier.empty()) StoreUserIdentifier(registry_, identifier);
    return identifier;
}

void ContactPanel::PCTCTenvoyerClick() {
    if (!PCTCTenvoyer->isEnabled()) return;
    const DisabledWhile sending(*PCTCTenvoyer);
    const std::string text = ContactMessageText(FieldLines(FromQString(Memomsg->toPlainText())));
    if (text.empty()) return;
    const std::string identifier = AskedUserIdentifier();
    if (identifier.empty()) return;
    try {
        requests_.PostRequest(requests_.ServiceRoot + MessageScript, ContactMessageBody(identifier, text));
    } catch (const std::exception&) {
        // The message is thanked for whether or not it reached the maker.
    }
    Memomsg->clear();
    requests_.ResponseBytes.clear();
    ShowMessageDialog(messForm_, texts_[ThanksEntry], mkMessage);
}
