#include "HelpText.h"
#include "companions/MakerContact.h"

QStringList helpTextLines()
{
    return {
        QStringLiteral("Kilka informacji na temat \" Jak przygotować dyplom\""),
        QString(),
        QStringLiteral("1.Przyciskami wertowania wybierz wzór dyplomu."),
        QString(),
        QStringLiteral("2.Wpisz nagłówek."),
        QStringLiteral("3.Przyciskiem CZCIONKI w panelu nagłówka możesz zmienić czcionkę, jej styl, rozmiar i kolor."),
        QStringLiteral("4.Ustaw położenie nagłówka zmieniając margines górny i lewy."),
        QString(),
        QStringLiteral("5.Wpisz dla kogo jest dyplom."),
        QStringLiteral("6.Przyciskiem CZCIONKI dobierz kolor, rozmiar i styl."),
        QStringLiteral("7.Ustaw położenie napisu marginesem lewym i gornym."),
        QString(),
        QStringLiteral("8.Wpisz treść do poszczególnych pól."),
        QStringLiteral("9.Przyciskiem CZCIONKI w panelu treści możesz zmienić czcionkę, jej kolor, rozmiar i styl."),
        QStringLiteral("10.Ustaw położenie bloku tekstu podając margines górny i lewy"),
        QString(),
        QStringLiteral("8.Wydrukuj dyplom przyciskiem DRUKUJ."),
        QString(),
        QStringLiteral(
            "Przygotowane dyplomy możesz zapisywać na dysku. Możesz w ten sposób stworzyć bibliotekę gotowych wzorów. "),
        QStringLiteral(
            "Pamiętaj o systematycznym archiwizowaniu danych. Uchroni Cię to przed utratą zapisanych dyplomów w przypadku "),
        QStringLiteral("uszkodzenia dysku."),
        QString(),
        QStringLiteral("Więcej informacji znajdziesz na stronie ") + maker::WebSite
            + QStringLiteral(" lub pisząc na adres ") + maker::Mail,
    };
}
