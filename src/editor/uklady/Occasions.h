#pragma once
// What each design is for and how its texts are best laid out on it.
#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace uklady {

enum class Occasion {
    General,
    Initiation, // pasowanie na ucznia
    Kindergarten,
    Art,
    Sport,
    Reading,
    Contest, // science and subject contests
    Music,
    YearEnd,
    Thanks
};

struct OccasionName {
    const char *key; // a stable word for files and filters
    QString title;   // the Polish title shown to a teacher
};
OccasionName occasionName(Occasion o);

// One text of a suggested layout, its box in mm on the page.
struct SuggestedText {
    QString role; // heading, lead, name, body
    QString text;
    QStringList fonts; // the first installed one is used
    double sizePt = 12;
    QColor colour;
    QRectF boxMm;
};

struct DesignInfo {
    Occasion occasion = Occasion::General;
    QString title;
    bool landscape = false; // drawn on A4 landscape (297 x 210 mm)
    QRectF freeMm;          // the light area the texts may take
    std::vector<SuggestedText> texts;
};

} // namespace uklady
