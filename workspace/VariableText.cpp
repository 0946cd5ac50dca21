#include "workspace/VariableText.h"

#include <string_view>
#include <utility>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/windows1252.h"

namespace {

std::string W(std::string_view utf8) {
    return Utf8ToWindows1252Lossy(utf8);
}

const std::pair<int, std::string_view> kEntries[] = {
    {0,
     " Représente le nombre de fois ou cette balise à été ouverte puis fermée.  Par exemple : Si il y a deux "
     "balises H1 le nombre de bloc est 2"},
    {1, " Représente le nombre total de mots significatifs  contenus dans l'ensemble des blocs "},
    {2, " Représente le nombre d'apparition du mot clé parmi les mots significatifs"},
    {3, " Représente le ratio entre le nombre d'occurences et le nombre de mots  significatifs."},
    {4,
     " Balise <title> du document. Il n'y en a qu'une par document web, se situe dans le <head> du document, "
     "cette balise contient le texte qui apparait dans la barre de titre du navigateur web."},
    {5,
     " Il s'agit d'une balise  de mise en forme de texte.  Les outils de recherche considèrent généralement "
     "sont contenu comme plus important que du texte standard (dans une balise P par exemple). H indique, un "
     "titre H1 indique un titre principal. "},
    {6, " H2 indique un sous titre, etc jusqu'à H5"},
    {7, " H2 indique un sous titre, etc jusqu'à H5"},
    {8, " H2 indique un sous titre, etc jusqu'à H5"},
    {9, " H2 indique un sous titre, etc jusqu'à H5"},
    {10, " Rassemble tout ce qui n'est pas lien, image ou titre."},
    {11,
     " A indique un lien hyper texte.  Syntaxe <A href=\"url\">texte</a>.\r\nIl s'agit du texte contenu "
     "entre "
     "les balise <a> et </a>.  Ce texte est pris en considération par les moteurs de recherche avec une "
     "pertinence supposée meilleure que du simple texte. Sur google, ce texte à une incidence sur le "
     "positionnement du document qui est pointé par le lien."},
    {12, " Il s'agit du titre du lien qui apparait en survol de la souris"},
    {13, " Il s'agit du titre de l'image qui apparait en survol de la souris."},
    {14,
     " Il s'agit du texte alternatif qui s'affiche a la place de l'image lorsque celle ci ne peut "
     "s'afficher."},
    {15,
     " Certains mots ne sont pas pris en compte dans un document.  Les mots trop court, trop usuels, tels "
     "que "
     "le, la, les, pour, de, etc... sont exclus de l'analyse. "},
    {30, " Nbr de blocs"},
    {31, " Nbr de mots "},
    {32, " Nbr d'occurences"},
    {33, " Densité"},
    {34, " TITLE"},
    {35, " H1"},
    {36, " H2"},
    {37, " H3"},
    {38, " H4"},
    {39, " H5"},
    {40, " BODY"},
    {41, " A"},
    {42, " A.title"},
    {43, " IMG.title"},
    {44, " IMG.alt"},
    {45, " Mots significatifs"},
    {80, "L'équipe Quenby vous remercie et vous répondra dans les plus brefs délais."},
};

constexpr std::string_view kStatuses[] = {
    "100=OK pour continuer ",
    "101=le serveur a changé de protocoles ",
    "200=requête effectuée avec succès ",
    "201=document créé (raison=nouvelle URI) ",
    "202=requête achevée de manière asynchrone (TBS) ",
    "203=requête achevée de manière incomplète ",
    "204=aucune information à renvoyer ",
    "205=requête terminée mais formulaire vide ",
    "206=requête GET incomplète ",
    "300=le serveur ne peut pas déterminer le code de retour ",
    "301=document déplacé de façon permanente ",
    "302=document déplacé de façon temporaire ",
    "303=redirection avec nouvelle méthode d'accès ",
    "304=le champ 'if-modified-since' n'était pas modifié ",
    "305=redirection vers un proxy spécifié par l'entête ",
    "307=HTTP/1.1 ",
    "400=erreur de syntaxe dans l'adresse du document ",
    "401=pas d'autorisation d'accès au document ",
    "402=accès au document soumis au paiement ",
    "403=pas d'autorisation d'accès au serveur ",
    "404=la page demandée n'existe pas ",
    "405=méthode de requête du formulaire non autorisée ",
    "406=requête non acceptée par le serveur ",
    "407=autorisation du proxy nécessaire ",
    "408=temps d'accès à la page demandée expiré ",
    "409=l'utilisateur doit soumettre à nouveau avec plus d'infos ",
    "410=cette ressource n'est plus disponible ",
    "411=le serveur a refusé la requête car elle n'a pas de longueur ",
    "412=la pré condition donnée dans la requête a échoué",
    "413=l'entité de la requête était trop grande ",
    "414=l'URI de la requête était trop longue ",
    "415=type de média non géré ",
    "500=erreur interne du serveur ",
    "501=requête faite au serveur non supprimée ",
    "502=mauvaise passerelle d'accès ",
    "503=service non disponible ",
    "504=temps d'accès à la passerelle expiré ",
    "505=version HTTP non gérée",
};

}  // namespace

void VariableText::BuildTextTable() {
    TextTable.fill({});
    for (const auto& [entry, text] : kEntries) TextTable[entry] = W(text);
}

const std::vector<std::string>& StatusExplanations() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> list;
        for (const std::string_view item : kStatuses) list.push_back(W(item));
        return list;
    }();
    return items;
}

std::string ExplanationOf(const std::string& code) {
    const std::string wanted = LowerCaseAscii(code);
    for (const std::string& item : StatusExplanations()) {
        const size_t equals = item.find('=');
        if (LowerCaseAscii(item.substr(0, equals)) == wanted) return item.substr(equals + 1);
    }
    return {};
}
