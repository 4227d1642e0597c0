#include "PupilSex.h"

#include "batch/merge/ColumnRoles.h"

#include <QSet>
#include <stdexcept>

namespace batch {

std::optional<Sex> sexOfCell(const QString &cell)
{
    const QString key = columnKey(cell);
    if (key.isEmpty())
        return std::nullopt;
    static const QSet<QString> women{QStringLiteral("k"),           QStringLiteral("kobieta"),
                                     QStringLiteral("dziewczynka"), QStringLiteral("dziewczyna"),
                                     QStringLiteral("zenska"),      QStringLiteral("z")};
    static const QSet<QString> men{QStringLiteral("m"), QStringLiteral("mezczyzna"), QStringLiteral("chlopiec"),
                                   QStringLiteral("chlopak"), QStringLiteral("meska")};
    if (women.contains(key))
        return Sex::Female;
    if (men.contains(key))
        return Sex::Male;
    throw std::invalid_argument(
        QStringLiteral("płeć „%1” to nie K ani M (można też pisać kobieta/mężczyzna, dziewczynka/chłopiec)")
            .arg(cell.trimmed())
            .toStdString());
}

namespace {

// Lower case, Polish letters kept.
const QSet<QString> &boysOnA()
{
    static const QSet<QString> names{
        QStringLiteral("kuba"),   QStringLiteral("barnaba"), QStringLiteral("kosma"),   QStringLiteral("bonawentura"),
        QStringLiteral("jarema"), QStringLiteral("zawisza"), QStringLiteral("dyzma"),   QStringLiteral("juda"),
        QStringLiteral("sawa"),   QStringLiteral("mykoła"),  QStringLiteral("mykola"),  QStringLiteral("mykyta"),
        QStringLiteral("ilja"),   QStringLiteral("ilia"),    QStringLiteral("illia"),   QStringLiteral("ilya"),
        QStringLiteral("kuźma"),  QStringLiteral("kuzma"),   QStringLiteral("foma"),    QStringLiteral("luca"),
        QStringLiteral("luka"),   QStringLiteral("misza"),   QStringLiteral("grisza"),  QStringLiteral("wania"),
        QStringLiteral("kola"),   QStringLiteral("joshua"),  QStringLiteral("mustafa"), QStringLiteral("hamza"),
        QStringLiteral("musa"),   QStringLiteral("ezra")};
    return names;
}

const QSet<QString> &girlsWithoutA()
{
    static const QSet<QString> names{QStringLiteral("nel"),      QStringLiteral("beatrycze"), QStringLiteral("noemi"),
                                     QStringLiteral("naomi"),    QStringLiteral("abigail"),   QStringLiteral("miriam"),
                                     QStringLiteral("ruth"),     QStringLiteral("rut"),       QStringLiteral("karmen"),
                                     QStringLiteral("carmen"),   QStringLiteral("dagmar"),    QStringLiteral("ingrid"),
                                     QStringLiteral("astrid"),   QStringLiteral("iris"),      QStringLiteral("irys"),
                                     QStringLiteral("ines"),     QStringLiteral("inez"),      QStringLiteral("nikol"),
                                     QStringLiteral("nicole"),   QStringLiteral("michelle"),  QStringLiteral("chloe"),
                                     QStringLiteral("zoe"),      QStringLiteral("zoé"),       QStringLiteral("lili"),
                                     QStringLiteral("lily"),     QStringLiteral("lilly"),     QStringLiteral("amy"),
                                     QStringLiteral("mary"),     QStringLiteral("ester"),     QStringLiteral("esther"),
                                     QStringLiteral("rachel"),   QStringLiteral("sarah"),     QStringLiteral("hannah"),
                                     QStringLiteral("deborah"),  QStringLiteral("elizabeth"), QStringLiteral("margit"),
                                     QStringLiteral("mercedes"), QStringLiteral("dolores"),   QStringLiteral("ivy"),
                                     QStringLiteral("grace"),    QStringLiteral("alice"),     QStringLiteral("sophie"),
                                     QStringLiteral("marie"),    QStringLiteral("anne"),      QStringLiteral("irene"),
                                     QStringLiteral("yvonne"),   QStringLiteral("denise"),    QStringLiteral("nadine"),
                                     QStringLiteral("jasmine"),  QStringLiteral("elif"),      QStringLiteral("ayşe"),
                                     QStringLiteral("nur")};
    return names;
}

// Given to boys and girls alike, or read either way.
const QSet<QString> &eitherSex()
{
    static const QSet<QString> names{
        QStringLiteral("sasza"),  QStringLiteral("sasha"),  QStringLiteral("nikita"), QStringLiteral("andrea"),
        QStringLiteral("żenia"),  QStringLiteral("zhenia"), QStringLiteral("jenia"),  QStringLiteral("alex"),
        QStringLiteral("aleks"),  QStringLiteral("kim"),    QStringLiteral("robin"),  QStringLiteral("toni"),
        QStringLiteral("noa"),    QStringLiteral("nicola"), QStringLiteral("simone"), QStringLiteral("gabriele"),
        QStringLiteral("jean"),   QStringLiteral("eden"),   QStringLiteral("ariel"),  QStringLiteral("dominique"),
        QStringLiteral("valery"), QStringLiteral("walery")};
    return names;
}

// Boys' names on a vowel other than -a and -y.
const QSet<QString> &boysOnOtherVowels()
{
    static const QSet<QString> names{
        QStringLiteral("antoni"),  QStringLiteral("jeremi"), QStringLiteral("bruno"),   QStringLiteral("hugo"),
        QStringLiteral("iwo"),     QStringLiteral("leo"),    QStringLiteral("otto"),    QStringLiteral("marco"),
        QStringLiteral("mario"),   QStringLiteral("dario"),  QStringLiteral("antonio"), QStringLiteral("matteo"),
        QStringLiteral("lorenzo"), QStringLiteral("pablo"),  QStringLiteral("danylo"),  QStringLiteral("petro"),
        QStringLiteral("pedro"),   QStringLiteral("diego"),  QStringLiteral("paolo"),   QStringLiteral("kai"),
        QStringLiteral("jose"),    QStringLiteral("rene"),   QStringLiteral("uwe"),     QStringLiteral("dmytro")};
    return names;
}

} // namespace

bool isGirlsNameWithoutA(const QString &lowerName)
{
    return girlsWithoutA().contains(lowerName);
}

bool isNameVowel(QChar c)
{
    return QStringLiteral("aąeęioóuyéèáíöüå").contains(c);
}

SexGuess sexOfFirstName(const QString &firstName)
{
    QString name = firstName.simplified().section(QLatin1Char(' '), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
    while (!name.isEmpty() && !name.back().isLetter())
        name.chop(1);
    if (name.isEmpty())
        return {};
    if (eitherSex().contains(name))
        return {name.endsWith(QLatin1Char('a')) ? Sex::Female : Sex::Male, false};
    if (boysOnA().contains(name) || boysOnOtherVowels().contains(name))
        return {Sex::Male, true};
    if (girlsWithoutA().contains(name))
        return {Sex::Female, true};
    const QChar last = name.back();
    if (last == QLatin1Char('a'))
        return {Sex::Female, true};
    if (!isNameVowel(last) || last == QLatin1Char('y'))
        return {Sex::Male, true};
    return {Sex::Male, false};
}

} // namespace batch
