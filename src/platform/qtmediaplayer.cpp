#include "platform/qtmediaplayer.h"

namespace platform {

namespace {

class SilentPlayer final : public MediaPlayer
{
public:
    bool setFileName(const QString &path) override
    {
        m_file = path;
        return true;
    }
    QString fileName() const override { return m_file; }
    void play() override {}
    void stop() override {}
    double duration() const override { return 0.0; }
    bool isPlaying() const override { return false; }
    Failure lastFailure() const override { return {}; }

private:
    QString m_file;
};

} // namespace

std::unique_ptr<MediaPlayer> makeQtMediaPlayer(QWidget *)
{
    return std::make_unique<SilentPlayer>();
}

} // namespace platform
