#include "engine/datamodule.h"

#include <array>

#include "engine/windows1252.h"

namespace {

// Written in UTF-8 here; the list itself holds them in Windows-1252.
constexpr std::array<std::string_view, 126> kStopWords = {
    "alors", "au",       "aucuns", "aussi",      "autre",     "avant",     "avec",     "avoir",   "bon",
    "car",   "ce",       "cela",   "ces",        "ceux",      "chaque",    "ci",       "comme",   "comment",
    "dans",  "des",      "du",     "dedans",     "dehors",    "depuis",    "deux",     "devrait", "doit",
    "donc",  "dos",      "droite", "début",      "elle",      "elles",     "en",       "encore",  "essai",
    "est",   "et",       "eu",     "fait",       "faites",    "fois",      "font",     "force",   "haut",
    "hors",  "ici",      "il",     "ils",        "je",        "juste",     "la",       "le",      "les",
    "leur",  "là",       "ma",     "maintenant", "mais",      "mes",       "mine",     "moins",   "mon",
    "mot",   "même",     "ni",     "nommés",     "notre",     "nous",      "nouveaux", "ou",      "où",
    "par",   "parce",    "parole", "pas",        "personnes", "peut",      "peu",      "pièce",   "plupart",
    "pour",  "pourquoi", "quand",  "que",        "quel",      "quelle",    "quelles",  "quels",   "qui",
    "sa",    "sans",     "ses",    "seulement",  "si",        "sien",      "son",      "sont",    "sous",
    "soyez", "sujet",    "sur",    "ta",         "tandis",    "tellement", "tels",     "tes",     "ton",
    "tous",  "tout",     "trop",   "très",       "tu",        "valeur",    "voie",     "voient",  "vont",
    "votre", "vous",     "vu",     "ça",         "étaient",   "état",      "étions",   "été",     "être",
};

}  // namespace

TdataM::TdataM() {
    words_.reserve(kStopWords.size());
    for (const std::string_view word : kStopWords) {
        words_.push_back(*Utf8ToWindows1252(word));
        const uint64_t hash = WordIndex::Hash(words_.back());
        if (index_.Find(words_.back(), hash, words_) == 0) index_.Insert(hash, static_cast<int32_t>(words_.size()));
    }
}
