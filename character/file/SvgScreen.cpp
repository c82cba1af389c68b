#include "character/file/SvgScreen.h"

#include <QXmlStreamReader>

namespace vortana {

QString SvgScreen::problem(const QByteArray &svg)
{
    QXmlStreamReader xml(svg);
    int elements = 0;
    bool rootSeen = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            return QStringLiteral("contiene una DTD");
        case QXmlStreamReader::EntityReference:
            return QStringLiteral("usa entità");
        case QXmlStreamReader::StartElement: {
            if (!rootSeen && xml.name() != QLatin1String("svg"))
                return QStringLiteral("non comincia con <svg>");
            rootSeen = true;
            if (++elements > MaxElements)
                return QStringLiteral("ha più di %1 elementi").arg(MaxElements);
            const QStringView name = xml.name();
            if (name == QLatin1String("image") || name == QLatin1String("script")
                || name == QLatin1String("foreignObject"))
                return QStringLiteral("contiene l'elemento <%1>").arg(name);
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                if (attribute.name() == QLatin1String("href") && !attribute.value().startsWith(u'#'))
                    return QStringLiteral("rimanda a \"%1\" fuori dal disegno").arg(attribute.value());
            }
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError())
        return QStringLiteral("XML non valido alla riga %1 (%2)").arg(xml.lineNumber()).arg(xml.errorString());
    if (!rootSeen)
        return QStringLiteral("non contiene un disegno");
    return {};
}

} // namespace vortana
