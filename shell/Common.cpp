#include "shell/Common.h"

#include <QApplication>
#include <stdexcept>

#include "platform/qtextconvert.h"
#include "platform/systemshell.h"
#include "shell/UnitShowMess.h"

int ShowMessageDialog(TMessForm* form, const std::string& message, int kind) {
    try {
        if (form == nullptr) throw std::runtime_error("the message form does not exist");
        return form->ShowMessage(message, kind);
    } catch (const std::exception&) {
        PlainMessageBox(FromQString(QApplication::applicationDisplayName()), "EXCEPT:" + message);
        return 0;
    }
}
