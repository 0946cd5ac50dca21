// The message dialog, driven through its real buttons.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <cmath>

#include "engine/windows1252.h"
#include "platform/qtextconvert.h"
#include "shell/Common.h"
#include "shell/UnitShowMess.h"
#include "tests/support/guitesting.h"

namespace {

struct Seen {
    int panel2 = -1;
    int outer = -1;
    bool annulerVisible = false;
    bool inputVisible = false;
    int okLeft = -1;
    int annulerLeft = -1;
    QString input;
};

// Shows a message, notes the dialog's state while it is open, and closes it by clicking
// closeWith (nullptr: the caption's close box).
Seen Show(TMessForm& form, const std::string& message, int kind, int& result,
          std::function<QWidget*(TMessForm&)> closeWith, std::function<void(TMessForm&)> meanwhile = {}) {
    Seen seen;
    const auto watch = WhenModal([&](QWidget*) {
        seen = {form.Panel2->height(),    form.OuterHeight(), form.Annuler->isVisible(),
                form.Panel3->isVisible(), form.OK->x(),       form.Annuler->x(),
                form.Edit1->text()};
        if (meanwhile) meanwhile(form);
        if (QWidget* button = closeWith ? closeWith(form) : nullptr) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            form.close();
        }
    });
    result = ShowMessageDialog(&form, message, kind);
    return seen;
}

QWidget* Ok(TMessForm& f) {
    return f.OK;
}
QWidget* Cancel(TMessForm& f) {
    return f.Annuler;
}

}  // namespace

TEST(MessageDialog, TheFirstMessageIsAsTallAsTheNext) {
    TMessForm form;
    const std::string line = *Utf8ToWindows1252("Le fichier de la mise à jour ne peut pas être écrit ici.");
    // Counted before the form ever showed, with the width it will have.
    EXPECT_EQ(form.DisplayedLineCount(ToQString(line)), 1);
    int result = 0;
    const Seen first = Show(form, line, mkMessage, result, Ok);
    const Seen second = Show(form, line, mkMessage, result, Ok);
    EXPECT_EQ(first.panel2, 40);
    EXPECT_EQ(first.outer, second.outer);
}

TEST(MessageDialog, HeightFollowsTheDisplayedLines) {
    TMessForm form;
    int result = 0;
    Seen one = Show(form, "Une ligne.", mkMessage, result, Ok);
    EXPECT_EQ(one.panel2, 40);
    EXPECT_EQ(one.outer, 183);
    Seen three = Show(form, "Un\r\ndeux\r\ntrois", mkMessage, result, Ok);
    EXPECT_EQ(three.panel2, 70);
    EXPECT_EQ(three.outer, 213);
    Seen empty = Show(form, "", mkMessage, result, Ok);
    EXPECT_EQ(empty.panel2, 40);

    // A line wider than the text area is displayed, and counted, as two.
    std::string longLine;
    while (form.DisplayedLineCount(QString::fromStdString(longLine)) < 2) longLine += "mot ";
    Seen wrapped = Show(form, longLine, mkMessage, result, Ok);
    EXPECT_EQ(wrapped.panel2, 2 * 15 + 25);
    EXPECT_EQ(form.DisplayedLineCount(QString::fromStdString(longLine + "\nfin")), 3);
}

TEST(MessageDialog, KindsButtonsAndResults) {
    TMessForm form;
    int result = -1;
    Seen message = Show(form, "Information", mkMessage, result, Ok);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(message.annulerVisible);
    EXPECT_FALSE(message.inputVisible);
    const int w = form.OuterWidth();  // 519 and the frame
    EXPECT_EQ(message.okLeft, static_cast<int>(std::nearbyint((w - 119) / 2.0)));

    Seen confirm = Show(form, "Continuer ?", mkConfirm, result, Cancel);
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(confirm.annulerVisible);
    EXPECT_FALSE(confirm.inputVisible);
    EXPECT_EQ(confirm.okLeft, static_cast<int>(std::nearbyint((w - 119) / 4.0)));
    EXPECT_EQ(confirm.annulerLeft, static_cast<int>(std::nearbyint((w - 119) * 0.75)));

    Show(form, "Continuer ?", mkConfirmAlt, result, Ok);
    EXPECT_EQ(result, 1);

    Seen input = Show(form, "Votre nom :", mkInput, result, Ok,
                      [](TMessForm& f) { QTest::keyClicks(f.Edit1, QStringLiteral("Marie")); });
    EXPECT_TRUE(input.inputVisible);
    EXPECT_EQ(input.input, "");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(form.Edit1->text(), "Marie");

    // A kind above 3 keeps the input row and the typed text; kind 0 hides it again.
    Seen other = Show(form, "Autre", 7, result, Ok);
    EXPECT_TRUE(other.inputVisible);
    EXPECT_EQ(other.input, "Marie");
    Seen again = Show(form, "Message", mkMessage, result, Ok);
    EXPECT_FALSE(again.inputVisible);
}

TEST(MessageDialog, TheCloseBoxGivesTwoForEveryKind) {
    TMessForm form;
    for (const int kind : {mkMessage, mkConfirm, mkInput, mkConfirmAlt}) {
        int result = -1;
        Show(form, "Fermer", kind, result, nullptr);
        EXPECT_EQ(result, 2) << kind;
    }
}

TEST(MessageDialog, LooksBeforeAndAfterTheMainWindow) {
    TMessForm form;
    EXPECT_EQ(form.OK->FaceTop(), QColor(225, 225, 225));
    EXPECT_EQ(form.OK->CaptionColour(), QColor(22, 68, 162));
    EXPECT_FALSE(form.OK->HasPicture());
    EXPECT_EQ(form.OK->CaptionLeft(), 30);
    EXPECT_EQ(form.windowTitle(), "Quenby Plixor");
    form.ApplyMainWindowLook(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_EQ(form.OK->FaceTop(), QColor(246, 246, 246));
    EXPECT_TRUE(form.Annuler->HasPicture());
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(246, 246, 246));
}

TEST(MessageDialog, WithoutTheFormAPlainBoxShowsTheMessage) {
    QString shown;
    const auto watch = WhenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) shown = box->text();
        modal->close();
    });
    EXPECT_EQ(ShowMessageDialog(nullptr, "Fichier introuvable", mkMessage), 0);
    EXPECT_EQ(shown, "EXCEPT:Fichier introuvable");
}
