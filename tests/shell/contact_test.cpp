// The contact message and the information view of the main window.

#include <gtest/gtest.h>

#include "shell/productinfo.h"
#include "shell/settingsstore.h"
#include "tests/support/guitesting.h"
#include "tests/support/mainwindowrig.h"
#include "tests/support/testserver.h"

namespace {

class Contact : public ::testing::Test {
protected:
    void SetUp() override {
        server.Http().Post("/Liaison/ZVQEL/message.php",
                           [this](const httplib::Request& req, httplib::Response& res) {
                               std::lock_guard<std::mutex> lock(mutex);
                               bodies.push_back(req.body);
                               res.set_content("OK", "text/plain");
                           });
        server.Http().Get("/Liaison/ZVQEL/connectINFO.php",
                          [this](const httplib::Request& req, httplib::Response& res) {
                              std::lock_guard<std::mutex> lock(mutex);
                              infoTargets.push_back(req.target);
                              res.set_content("<p>Nouvelle version bient\xc3\xb4t</p>", "text/html");
                          });
        server.Start();
        rig.program.requests.SetRoots(server.Address("/"));
        window = &rig.Open();
        panel = window->PanelContact;
        ClickAt(window->MenuHaut, window->TopEntryRects.at(1).Rect.center());  // "Nous contacter"
    }

    // Types the text into the message field and clicks "&Envoyer", answering the dialogs that
    // show with the acts given; returns the bodies the server received.
    std::vector<std::string> Send(const QString& text, std::vector<std::function<void(QWidget*)>> acts) {
        panel->Memomsg->setFocus();
        TypeText(panel->Memomsg, text);
        ModalScript script(std::move(acts));
        QTest::mouseClick(panel->PCTCTenvoyer, Qt::LeftButton);
        QApplication::processEvents();
        std::lock_guard<std::mutex> lock(mutex);
        return std::exchange(bodies, {});
    }

    // Acts on the message form: remembers its text, answers with the button.
    std::function<void(QWidget*)> Answer(int button, const QString& input = {}) {
        return [this, button, input](QWidget* modal) {
            auto* form = dynamic_cast<TMessForm*>(modal);
            ASSERT_NE(form, nullptr);
            shown.push_back(form->Memo1->toPlainText());
            if (form->Panel3->isVisible()) TypeText(form->Edit1, input);
            form->done(button);
        };
    }

    TestServer server;
    MainWindowRig rig;
    TInterf* window = nullptr;
    ContactPanel* panel = nullptr;
    std::mutex mutex;
    std::vector<std::string> bodies;
    std::vector<std::string> infoTargets;
    std::vector<QString> shown;
};

const QString kThanks = "L'équipe Quenby vous remercie et vous répondra dans les plus brefs délais.";

}  // namespace

TEST(ContactRules, TheMessageOfTheFieldsLines) {
    EXPECT_EQ(FieldLines(""), std::vector<std::string>{});
    EXPECT_EQ(FieldLines("\n"), std::vector<std::string>{""});
    EXPECT_EQ(FieldLines("Bonjour"), std::vector<std::string>{"Bonjour"});
    EXPECT_EQ(FieldLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(ContactMessageText({}), "");
    EXPECT_EQ(ContactMessageText({"a", "b"}), "\r\na\r\nb");
    EXPECT_EQ(ContactMessageBody("marie@x.fr", "\r\n"), "Usr=marie@x.fr&Msg=%0D%0A");
    EXPECT_EQ(ContactMessageBody("marie@x.fr", "\r\nBonjour \xe9t\xe9"),
              "Usr=marie@x.fr&Msg=%0D%0ABonjour+%E9t%E9");
}

TEST_F(Contact, ThePanel) {
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->PCTCTlabel1->text(), "Nous contacter");
    EXPECT_EQ(panel->PCTCTlabel1->pos(), QPoint(16, 10));
    EXPECT_EQ(panel->PCTCTlabel2->pos(), QPoint(220, 30));
    EXPECT_EQ(panel->PCTCTlabel2->text(),
              "Une remarque ? Une question ? Une suggestion ? \nN'hésitez pas à nous envoyer directement un "
              "message "
              "grâce à la zone de texte ci-dessous.");
    EXPECT_EQ(panel->Memomsg->geometry(), QRect(16, 72, 657, 250));
    EXPECT_EQ(panel->PCTCTenvoyer->geometry(), QRect(266, 335, 119, 22));
    EXPECT_TRUE(panel->PCTCTenvoyer->HasPicture());
    EXPECT_EQ(panel->PCTCTenvoyer->CaptionLeft(), 30);
}

TEST_F(Contact, MessagesAreSentAsTheirLinesAndThanked) {
    StoreUserIdentifier(rig.registry, "marie@x.fr");
    EXPECT_EQ(Send("\n", {Answer(1)}), std::vector<std::string>{"Usr=marie@x.fr&Msg=%0D%0A"});
    EXPECT_EQ(shown, std::vector<QString>{kThanks});
    EXPECT_EQ(panel->Memomsg->toPlainText(), "");
    EXPECT_EQ(Send("Bonjour", {Answer(1)}), std::vector<std::string>{"Usr=marie@x.fr&Msg=%0D%0ABonjour"});
    EXPECT_EQ(Send(QStringLiteral("é"), {Answer(1)}),
              std::vector<std::string>{"Usr=marie@x.fr&Msg=%0D%0A%E9"});
    EXPECT_TRUE(panel->PCTCTenvoyer->isEnabled());
}

TEST_F(Contact, AnEmptyFieldSendsNothing) {
    StoreUserIdentifier(rig.registry, "marie@x.fr");
    EXPECT_TRUE(Send("", {Answer(1)}).empty());
    EXPECT_TRUE(shown.empty());
}

TEST_F(Contact, TheAddressIsAskedOnceAndACancelSendsNothing) {
    ASSERT_EQ(UserIdentifier(rig.registry), "");
    EXPECT_TRUE(Send("Bonjour", {Answer(2)}).empty());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].contains("adresse électronique"));
    EXPECT_EQ(panel->Memomsg->toPlainText(), "Bonjour");  // kept for another try
    EXPECT_EQ(UserIdentifier(rig.registry), "");

    shown.clear();
    EXPECT_EQ(Send("", {Answer(1, "paul@y.fr"), Answer(1)}),
              std::vector<std::string>{"Usr=paul@y.fr&Msg=%0D%0ABonjour"});
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(UserIdentifier(rig.registry), "paul@y.fr");
    shown.clear();
    EXPECT_EQ(Send("Merci", {Answer(1)}).size(), 1u);  // not asked again
    EXPECT_EQ(shown, std::vector<QString>{kThanks});
}

TEST_F(Contact, AFailedSendIsThankedAllTheSame) {
    StoreUserIdentifier(rig.registry, "marie@x.fr");
    rig.program.requests.SetRoots("http://127.0.0.1:1/");
    EXPECT_TRUE(Send("Bonjour", {Answer(1)}).empty());
    EXPECT_EQ(shown, std::vector<QString>{kThanks});
    EXPECT_EQ(panel->Memomsg->toPlainText(), "");
}

TEST_F(Contact, TheInformationViewLoadsItsPageAndReloadsEvery50Seconds) {
    const std::string id = InfoSessionId(rig.registry);
    EXPECT_EQ(id.size(), 16u);
    EXPECT_EQ(InfoSessionId(rig.registry), id);  // made once
    EXPECT_EQ(window->InformationAddress(),
              server.Address("/Liaison/ZVQEL/connectINFO.php?IdS=") + id + "&PT2=" + ProductVersion);
    window->TimerWeb.start();
    window->TimerWebTimer();
    EXPECT_EQ(window->TimerWeb.interval(), 50000);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return window->WebPUB->toPlainText().contains("Nouvelle version"); }));
    EXPECT_EQ(window->WebPUB->toPlainText(), "Nouvelle version bientôt");

    window->InfoSessionId.clear();
    window->InfoSessionCode.clear();
    EXPECT_EQ(window->InformationAddress(), server.Address("/Liaison/ZVQEL/connectINFO.php?IdS=&PT2="));
}
