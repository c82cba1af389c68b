#include "ContactSheet.h"

#include "character/stage/FrameRenderer.h"

#include <QPainter>

#include <algorithm>

namespace vortana {

QImage ContactSheet::render(const CharacterData &data, int height)
{
    FrameRenderer frames(data.art, data.ground);
    frames.setHeight(height, 1.0);
    const QSize cell = frames.pixelSize() + QSize(8, 24);
    QStringList names = data.animations.keys();
    std::sort(names.begin(), names.end());
    qsizetype columns = 1;
    for (const QString &name : names)
        columns = std::max(columns, data.animations.value(name).frames.size());
    QImage sheet(int(columns) * cell.width(), int(names.size()) * cell.height(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xe8, 0xec, 0xf4));
    QPainter painter(&sheet);
    for (qsizetype row = 0; row < names.size(); ++row) {
        const Animation &animation = data.animations.value(names.at(row));
        for (qsizetype i = 0; i < animation.frames.size(); ++i) {
            const AnimationFrame &frame = animation.frames.at(i);
            const QPoint at(int(i) * cell.width() + 4, int(row) * cell.height() + 20);
            painter.drawImage(at, frames.frame(frame.layers, frame.scale));
            painter.drawText(at - QPoint(0, 6), QStringLiteral("%1 #%2 %3ms").arg(animation.name).arg(i).arg(frame.duration.count()));
        }
    }
    return sheet;
}

} // namespace vortana
