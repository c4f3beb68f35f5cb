#include "cor/Music.h"

#include "LibraryDiagnostics.h"
#include "sfml/SfmlCompat.h"

namespace cor
{

Music::Music() : m_stream(withAudioQuiet([] { return std::make_unique<sf::Music>(); })) {}

Music::~Music() = default;

int Music::open(const std::string& fileName)
{
    std::unique_ptr<sf::InputStream> source = sfml::openRegularFileSource(fileName);
    if (!source)
        return -1;
    if (!withAudioQuiet([&] { return m_stream->openFromStream(*source); }))
        return -1;
    // Opening stopped the stream and closed what it read before, so the old source can go.
    m_source = std::move(source);
    return 0;
}

void Music::setLoopPoints(double offsetSeconds, double lengthSeconds)
{
    sfml::setMusicLoopPoints(*m_stream, static_cast<float>(offsetSeconds),
                             static_cast<float>(lengthSeconds));
}

double Music::loopOffset() const
{
    return m_stream->getLoopPoints().offset.asSeconds();
}

double Music::loopLength() const
{
    return m_stream->getLoopPoints().length.asSeconds();
}

void Music::setLooping(bool looping)
{
    sfml::setMusicLooping(*m_stream, looping);
}

bool Music::looping() const
{
    return sfml::musicLooping(*m_stream);
}

bool Music::playing() const
{
    return sfml::audioDeviceOpen() && m_stream->getStatus() == sf::SoundSource::Status::Playing;
}

void Music::play()
{
    // Without a sound device the music stays silent rather than start a stream that cannot end.
    if (sfml::audioDeviceOpen())
        m_stream->play();
}

void Music::stop()
{
    m_stream->stop();
}

} // namespace cor
