// The text table and the status explanations.

#include "workspace/VariableText.h"

#include <gtest/gtest.h>

#include "engine/windows1252.h"

namespace {

std::string U(const std::string& windows1252) {
    return Windows1252ToUtf8(windows1252);
}

}  // namespace

TEST(TextTable, EntriesAreExact) {
    VariableText texts;
    texts.BuildTextTable();
    EXPECT_EQ(U(texts[3]),
              " Représente le ratio entre le nombre d'occurences et le nombre de mots  significatifs.");
    EXPECT_EQ(U(texts[1]),
              " Représente le nombre total de mots significatifs  contenus dans l'ensemble des blocs ");
    for (int entry = 6; entry <= 9; ++entry)
        EXPECT_EQ(U(texts[entry]), " H2 indique un sous titre, etc jusqu'à H5");
    EXPECT_NE(texts[11].find("Syntaxe <A href=\"url\">texte</a>.\r\nIl s'agit du texte"), std::string::npos);
    EXPECT_EQ(texts[11].find('\n'), texts[11].find("\r\n") + 1);
    EXPECT_EQ(U(texts[31]), " Nbr de mots ");
    EXPECT_EQ(U(texts[33]), " Densité");
    EXPECT_EQ(U(texts[44]), " IMG.alt");
    EXPECT_EQ(U(texts[45]), " Mots significatifs");
    EXPECT_EQ(U(texts[80]), "L'équipe Quenby vous remercie et vous répondra dans les plus brefs délais.");
    EXPECT_EQ(texts[20], "");
    EXPECT_EQ(texts[199], "");
}

TEST(StatusExplanations, ListAndLookup) {
    const auto& items = StatusExplanations();
    ASSERT_EQ(items.size(), 38u);
    for (const std::string& item : items) {
        const bool noFinalSpace = item.rfind("412=", 0) == 0 || item.rfind("505=", 0) == 0;
        EXPECT_EQ(item.back() == ' ', !noFinalSpace) << U(item);
    }
    EXPECT_EQ(U(ExplanationOf("404")), "la page demandée n'existe pas ");
    EXPECT_EQ(U(ExplanationOf("200")), "requête effectuée avec succès ");
    EXPECT_EQ(U(ExplanationOf("412")), "la pré condition donnée dans la requête a échoué");
    EXPECT_EQ(U(ExplanationOf("201")), "document créé (raison=nouvelle URI) ");
    EXPECT_EQ(ExplanationOf("0"), "");
    EXPECT_EQ(ExplanationOf("999"), "");
    EXPECT_EQ(ExplanationOf(""), "");
}
