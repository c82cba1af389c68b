#include "character/file/AnimationReader.h"

#include <QJsonArray>

namespace vortana {

Animation AnimationReader::read(const QString &name, const QJsonValue &value) const
{
    const QString where = QStringLiteral("animations.%1").arg(name);
    const QJsonArray frames = value.toArray();
    if (!value.isArray() || frames.isEmpty() || frames.size() > MaxFrames)
        m_reader.fail(QStringLiteral("%1 deve avere da 1 a %2 fotogrammi").arg(where).arg(MaxFrames));
    Animation animation{name, {}};
    for (qsizetype i = 0; i < frames.size(); ++i)
        animation.frames.append(frame(frames.at(i), QStringLiteral("%1[%2]").arg(where).arg(i)));
    return animation;
}

AnimationFrame AnimationReader::frame(const QJsonValue &value, const QString &where) const
{
    const QJsonObject object = m_reader.object(value, where);
    AnimationFrame frame;
    frame.duration = std::chrono::milliseconds(m_reader.integer(object, "ms", 1, MaxFrameMs, where));
    frame.scale = m_reader.number(object, "scale", 0.05, 4.0, where, 1.0);
    const QJsonArray layers = object.value(QLatin1String("layers")).toArray();
    if (layers.isEmpty() || layers.size() > MaxLayers)
        m_reader.fail(QStringLiteral("%1.layers deve elencare da 1 a %2 elementi").arg(where).arg(MaxLayers));
    for (qsizetype i = 0; i < layers.size(); ++i)
        frame.layers.append(layer(layers.at(i), QStringLiteral("%1.layers[%2]").arg(where).arg(i)));
    return frame;
}

LayerRef AnimationReader::layer(const QJsonValue &value, const QString &where) const
{
    if (value.isString() && !value.toString().isEmpty())
        return {value.toString(), {}};
    const QJsonObject object = m_reader.object(value, where);
    return {m_reader.text(object, "id", where),
            QPointF(m_reader.number(object, "dx", -10000, 10000, where, 0),
                    m_reader.number(object, "dy", -10000, 10000, where, 0))};
}

} // namespace vortana
