#pragma once
#include <QString>
#include <optional>

namespace batch {

enum class Sex { Male, Female };

// What a "Płeć" cell says: K/M, kobieta/mężczyzna, dziewczynka/chłopiec
// (any letter case, with or without Polish letters). Nothing for an empty
// cell; throws std::invalid_argument with a Polish message for any other text.
std::optional<Sex> sexOfCell(const QString &cell);

struct SexGuess {
    Sex sex = Sex::Male;
    bool sure = false;
};

// The sex a first name suggests, by these rules: a name on -a is a girl's
// (but Kuba, Barnaba, Kosma, Bonawentura, Jarema, Zawisza, Dyzma and a few
// Ukrainian and foreign boys' names are boys'); a name on a consonant or
// -y is a boy's (but Nel, Beatrycze, Noemi, Abigail, Miriam, Ruth, Karmen,
// Dagmar and other girls' names without -a are girls'); names on other
// vowels (besides known ones such as Antoni, Bruno, Hugo, Iwo) and names
// given to both (Sasza, Nikita, Andrea, Alex …) are not sure. Of a double
// name ("Anna-Maria", "Jan Paweł") the first decides.
SexGuess sexOfFirstName(const QString &firstName);

// Whether a lower-case first name is one of the girls' names without -a
// (Nel, Beatrycze, Noemi …), which stay as they are in every case.
bool isGirlsNameWithoutA(const QString &lowerName);

// A vowel letter of Polish and of the foreign names met in schools (lower case).
bool isNameVowel(QChar c);

} // namespace batch
