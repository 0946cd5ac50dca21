#include "Common.h"

#include <QApplication>
#include <stdexcept>

#include "UnitShowMess.h"
#include "qtextconvert.h"
#include "systemshell.h"

int ShowMessageDialog(TMessForm* form, const std::string& message, int kind) {
    try {
        if (form == nullptr) throw std::runtime_error("the message form does not exist");
        return form->ShowMessage(message, kind);
    } catch (const std::exception&) {
        PlainMessageBox(FromQString(QApplication::applicationDisplayName()), "EXCEPT:" + message);
        return 0;
    }
}
