#include "WavWriter.h"

#include "character/voice/SampleChannel.h"

#include <QDataStream>
#include <QFile>

namespace vortana {

bool WavWriter::write(const Utterance &utterance, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    std::vector<std::int16_t> samples = utterance.samples;
    if (samples.empty() && utterance.replay) {
        const std::shared_ptr<SampleChannel> channel = utterance.replay();
        samples.resize(utterance.sampleCount);
        std::size_t read = 0;
        while (std::size_t more = channel->read(samples.data() + read, samples.size() - read))
            read += more;
        samples.resize(read);
    }
    const auto data = quint32(samples.size() * 2);
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(utterance.sampleRate)
        << quint32(utterance.sampleRate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << data;
    for (std::int16_t sample : samples)
        out << qint16(sample);
    return out.status() == QDataStream::Ok;
}

} // namespace vortana
