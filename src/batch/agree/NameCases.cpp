#include "NameCases.h"

#include <QHash>
#include <QSet>

namespace batch {

QString caseName(NameCase nameCase)
{
    return nameCase == NameCase::Genitive ? QStringLiteral("dopełniacz") : QStringLiteral("celownik");
}

namespace {

struct Form {
    QString text;
    bool sure = true;
};

bool endsWithAny(const QString &w, std::initializer_list<const char16_t *> endings)
{
    for (const char16_t *e : endings)
        if (w.endsWith(QString::fromUtf16(e)))
            return true;
    return false;
}

// Men's names and surnames whose stem changes, lower case: genitive stem
// (the dative adds -owi to it).
const QHash<QString, QString> &irregularStems()
{
    static const QHash<QString, QString> stems{{QStringLiteral("paweł"), QStringLiteral("pawł")},
                                               {QStringLiteral("pawel"), QStringLiteral("pawl")},
                                               {QStringLiteral("kacper"), QStringLiteral("kacpr")},
                                               {QStringLiteral("aleksander"), QStringLiteral("aleksandr")},
                                               {QStringLiteral("bruno"), QStringLiteral("brunon")},
                                               {QStringLiteral("hugo"), QStringLiteral("hugon")},
                                               {QStringLiteral("otto"), QStringLiteral("otton")},
                                               {QStringLiteral("iwo"), QStringLiteral("iw")},
                                               {QStringLiteral("wawrzyniec"), QStringLiteral("wawrzyńc")},
                                               {QStringLiteral("wróbel"), QStringLiteral("wróbl")},
                                               {QStringLiteral("stępień"), QStringLiteral("stępni")},
                                               {QStringLiteral("gołąb"), QStringLiteral("gołębi")},
                                               {QStringLiteral("sokół"), QStringLiteral("sokoł")},
                                               {QStringLiteral("orzeł"), QStringLiteral("orł")},
                                               {QStringLiteral("kozieł"), QStringLiteral("kozł")},
                                               {QStringLiteral("kozioł"), QStringLiteral("kozł")},
                                               {QStringLiteral("krawiec"), QStringLiteral("krawc")},
                                               {QStringLiteral("kupiec"), QStringLiteral("kupc")},
                                               {QStringLiteral("malec"), QStringLiteral("malc")},
                                               {QStringLiteral("kwiecień"), QStringLiteral("kwietni")},
                                               {QStringLiteral("szczygieł"), QStringLiteral("szczygł")},
                                               {QStringLiteral("dąb"), QStringLiteral("dęb")},
                                               {QStringLiteral("mróz"), QStringLiteral("mroz")},
                                               {QStringLiteral("jeleń"), QStringLiteral("jeleni")}};
    return stems;
}

// Men's words the doubtful endings would flag that decline regularly.
const QSet<QString> &regularAfterAll()
{
    static const QSet<QString> words{QStringLiteral("zając"), QStringLiteral("król"),   QStringLiteral("bąk"),
                                     QStringLiteral("wąs"),   QStringLiteral("pająk"),  QStringLiteral("marcel"),
                                     QStringLiteral("abel"),  QStringLiteral("michał"), QStringLiteral("wójt"),
                                     QStringLiteral("piątek")};
    return words;
}

// A word on -a as a noun (lower case).
Form nounOnA(const QString &w, NameCase c)
{
    const bool gen = c == NameCase::Genitive;
    const QString stem = w.chopped(1);
    if (w.size() < 3)
        return {w, false};
    const QChar before = w[w.size() - 2];
    if (w.endsWith(QLatin1String("ja")))
        return {isNameVowel(w[w.size() - 3]) ? w.chopped(2) + QLatin1Char('i') : stem + QLatin1Char('i'), true};
    if (w.endsWith(QLatin1String("ia"))) {
        const QChar b = w[w.size() - 3];
        if (isNameVowel(b))
            return {w, false};
        return {QStringLiteral("csnz").contains(b) ? stem : stem + QLatin1Char('i'), true};
    }
    if (before == QLatin1Char('l'))
        return {stem + QLatin1Char('i'), true};
    if (isNameVowel(before))
        return {w, false};
    if (endsWithAny(w, {u"rza", u"dza", u"dża", u"cza", u"sza", u"ża", u"ca"}))
        return {stem + QLatin1Char('y'), true};
    if (gen)
        return {stem + (before == QLatin1Char('k') || before == QLatin1Char('g') ? QLatin1Char('i') : QLatin1Char('y')),
                true};
    static const QList<QPair<QString, QString>> dative{
        {QStringLiteral("sta"), QStringLiteral("ście")}, {QStringLiteral("zda"), QStringLiteral("ździe")},
        {QStringLiteral("sna"), QStringLiteral("śnie")}, {QStringLiteral("zna"), QStringLiteral("źnie")},
        {QStringLiteral("sła"), QStringLiteral("śle")},  {QStringLiteral("zła"), QStringLiteral("źle")},
        {QStringLiteral("sma"), QStringLiteral("śmie")}, {QStringLiteral("zma"), QStringLiteral("źmie")},
        {QStringLiteral("cha"), QStringLiteral("sze")},  {QStringLiteral("ka"), QStringLiteral("ce")},
        {QStringLiteral("ga"), QStringLiteral("dze")},   {QStringLiteral("ra"), QStringLiteral("rze")},
        {QStringLiteral("ta"), QStringLiteral("cie")},   {QStringLiteral("da"), QStringLiteral("dzie")},
        {QStringLiteral("ła"), QStringLiteral("le")},    {QStringLiteral("sa"), QStringLiteral("sie")},
        {QStringLiteral("za"), QStringLiteral("zie")},   {QStringLiteral("na"), QStringLiteral("nie")},
        {QStringLiteral("ma"), QStringLiteral("mie")},   {QStringLiteral("ba"), QStringLiteral("bie")},
        {QStringLiteral("pa"), QStringLiteral("pie")},   {QStringLiteral("wa"), QStringLiteral("wie")},
        {QStringLiteral("va"), QStringLiteral("vie")},   {QStringLiteral("fa"), QStringLiteral("fie")}};
    for (const auto &[ending, replaced] : dative)
        if (w.endsWith(ending))
            return {w.chopped(ending.size()) + replaced, true};
    return {w, false};
}

// The genitive stem of a man's word on a consonant (lower case).
Form consonantStem(const QString &w)
{
    if (regularAfterAll().contains(w))
        return {w, true};
    if (w.endsWith(QStringLiteral("dź")))
        return {w.chopped(2) + QStringLiteral("dzi"), true};
    static const QHash<QChar, QString> soft{{QChar(u'ń'), QStringLiteral("ni")},
                                            {QChar(u'ś'), QStringLiteral("si")},
                                            {QChar(u'ć'), QStringLiteral("ci")},
                                            {QChar(u'ź'), QStringLiteral("zi")}};
    const QChar last = w.back();
    if (soft.contains(last))
        return {w.chopped(1) + soft[last], !w.endsWith(QStringLiteral("eń"))};
    const qsizetype n = w.size();
    // The fleeting e: Marek → Marka, Maciek → Maćka.
    if (n >= 4 && w.endsWith(QLatin1String("iek"))) {
        static const QHash<QChar, QChar> softened{{QLatin1Char('c'), QChar(u'ć')},
                                                  {QLatin1Char('s'), QChar(u'ś')},
                                                  {QLatin1Char('z'), QChar(u'ź')},
                                                  {QLatin1Char('n'), QChar(u'ń')}};
        const QChar b = w[n - 4];
        if (softened.contains(b))
            return {w.left(n - 4) + softened[b] + QLatin1Char('k'), true};
    }
    if (n >= 4 && w.endsWith(QLatin1String("ek")) && !isNameVowel(w[n - 3]))
        return {w.chopped(2) + QLatin1Char('k'), true};
    if (n >= 4 && w.endsWith(QLatin1String("ec")) && !isNameVowel(w[n - 3]))
        return {w.chopped(2) + QLatin1Char('c'), false};
    if (n >= 4 && w.endsWith(QStringLiteral("eł")) && !isNameVowel(w[n - 3]))
        return {w.chopped(2) + QChar(u'ł'), false};
    if (n >= 4 && w.endsWith(QLatin1String("el")) && !isNameVowel(w[n - 3]))
        return {w, false};
    for (qsizetype i = n - 1; i >= 0; --i) {
        if (!isNameVowel(w[i]))
            continue;
        return {w, w[i] != QChar(u'ó') && w[i] != QChar(u'ą')};
    }
    return {w, true};
}

// One word, lower case.
Form declineLower(const QString &w, NameCase c, Sex sex)
{
    const bool gen = c == NameCase::Genitive;
    const bool adjectivalA = endsWithAny(w, {u"ska", u"cka", u"dzka"});
    const bool adjectivalI = endsWithAny(w, {u"ski", u"cki", u"dzki"});
    const QChar last = w.back();
    if (sex == Sex::Female) {
        if (adjectivalA)
            return {w.chopped(1) + QStringLiteral("iej"), true};
        if (w.size() >= 6 && endsWithAny(w, {u"owa", u"ewa"}))
            return {w.chopped(1) + QStringLiteral("ej"), false};
        if (last == QLatin1Char('a'))
            return nounOnA(w, c);
        return {w, isGirlsNameWithoutA(w) || (!adjectivalI && !QStringLiteral("oeuéè").contains(last))};
    }
    const QString ending = gen ? QStringLiteral("a") : QStringLiteral("owi");
    const auto irregular = irregularStems().constFind(w);
    if (irregular != irregularStems().constEnd())
        return {*irregular + ending, true};
    if (adjectivalA)
        return {w, false};
    if (last == QLatin1Char('a'))
        return nounOnA(w, c);
    const QString adjective = gen ? QStringLiteral("ego") : QStringLiteral("emu");
    const QChar before = w.size() > 1 ? w[w.size() - 2] : QChar();
    if (last == QLatin1Char('i'))
        return {w + adjective, w.size() > 1 && !isNameVowel(before)};
    if (last == QLatin1Char('y'))
        return {w.chopped(1) + adjective,
                w.size() > 1 && !isNameVowel(before) && before != QLatin1Char('k') && before != QLatin1Char('g')};
    if (last == QLatin1Char('o')) {
        const Form asNoun = nounOnA(w.chopped(1) + QLatin1Char('a'), c);
        return {asNoun.text, false};
    }
    if (isNameVowel(last) || !last.isLetter())
        return {w, false};
    const Form stem = consonantStem(w);
    return {stem.text + ending, stem.sure};
}

// form in the letter case of word: a word in capitals stays in capitals,
// else the letters the form shares with it keep their case.
QString inCaseOf(const QString &word, const QString &lower, const QString &form)
{
    qsizetype same = 0;
    while (same < lower.size() && same < form.size() && lower[same] == form[same])
        ++same;
    const bool capitals = word.size() > 1 && word == word.toUpper() && word != word.toLower();
    const QString rest = form.mid(same);
    return word.left(same) + (capitals ? rest.toUpper() : rest);
}

Form declineWord(const QString &word, NameCase c, Sex sex)
{
    // An initial, an abbreviation or a word without letters stays.
    if (word.size() < 2 || word.endsWith(QLatin1Char('.')) || !word.back().isLetter())
        return {word, true};
    const QString lower = word.toLower();
    const Form f = declineLower(lower, c, sex);
    return {inCaseOf(word, lower, f.text), f.sure};
}

} // namespace

DeclinedName declineName(const QString &name, NameCase nameCase, Sex sex)
{
    DeclinedName out;
    QStringList words;
    for (const QString &word : name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QStringList parts;
        for (const QString &part : word.split(QLatin1Char('-'))) {
            const Form f = declineWord(part, nameCase, sex);
            parts.append(f.text);
            if (!f.sure)
                out.unsure.append(part);
        }
        words.append(parts.join(QLatin1Char('-')));
    }
    out.text = words.join(QLatin1Char(' '));
    return out;
}

} // namespace batch
