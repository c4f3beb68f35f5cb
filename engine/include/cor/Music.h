#ifndef COR_MUSIC_H
#define COR_MUSIC_H

#include <memory>
#include <string>

namespace sf
{
class InputStream;
class Music;
} // namespace sf

namespace cor
{

// A streamed piece of music under a label. Built in place and never copied or moved.
class Music
{
public:
    Music();
    ~Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Opens the file into the stream; 0 opened, -1 not (also when it is not a regular file).
    [[nodiscard]] int open(const std::string& fileName);

    const std::string& label() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }

    // The stretch that looping repeats, in seconds from the start of the file; playback
    // goes on where it is.
    void setLoopPoints(double offsetSeconds, double lengthSeconds);
    double loopOffset() const;
    double loopLength() const;
    void setLooping(bool looping);
    bool looping() const;
    void play();
    void stop();
    bool playing() const;
    sf::Music& stream() { return *m_stream; }

private:
    // Declared first so that it outlives the stream reading from it.
    std::unique_ptr<sf::InputStream> m_source;
    std::unique_ptr<sf::Music> m_stream;
    std::string m_label;
};

} // namespace cor

#endif
