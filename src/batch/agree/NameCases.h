#pragma once
#include "PupilSex.h"

#include <QString>
#include <QStringList>

namespace batch {

enum class NameCase { Genitive, Dative }; // @D dopełniacz („dla Jana”), @C celownik („Janowi”)

// "dopełniacz", "celownik".
QString caseName(NameCase nameCase);

struct DeclinedName {
    QString text;
    QStringList unsure; // the words the rules are not sure of, as written
};

// A person's name in the genitive or the dative, word by word (and each
// part of a double surname), by the rules of Polish for first names and
// surnames:
// - adjectival -ski/-cki/-dzki, -i and -y: -skiego/-skiemu, Jerzy → Jerzego;
//   -ska/-cka/-dzka: -skiej in both cases;
// - words on -a for both sexes as nouns: Anna → Anny/Annie, Kinga →
//   Kingi/Kindze, Maria → Marii, Kasia → Kasi, Kuba → Kuby/Kubie;
// - men's words on a consonant take -a/-owi, with the fleeting e of -ek
//   (Marek → Marka, Maciek → Maćka) and the soft endings (Łoś → Łosia);
//   a few known irregular names (Paweł → Pawła, Stępień → Stępnia);
// - women's words on a consonant, -i and -y stay as they are.
// Not sure, and listed: men's -ec, -eł, -eń and consonant + -el, ó or ą in
// the last syllable, words on -o, -e, -u and other vowels, -a after a
// vowel, a woman's -ski and a man's -ska.
DeclinedName declineName(const QString &name, NameCase nameCase, Sex sex);

} // namespace batch
