#pragma once
// The plan reminder sound: a player that starts a file and returns at once,
// and TfrmSound "计划提醒声音设置", which replaces the file played at start-up.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/ui/prompter.h"

class QMediaPlayer;
class QAudioOutput;

namespace fennory::ui {

// Plays a sound file without waiting for its end. A missing file, a file it
// cannot read or a machine without sound plays nothing and says nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& file) = 0;
    virtual void stop() = 0;
};
using SoundPlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;

// The player of the desktop's sound system (Qt Multimedia).
class MediaSoundPlayer : public SoundPlayer {
public:
    MediaSoundPlayer();
    ~MediaSoundPlayer() override;
    void play(const QString& file) override;
    void stop() override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};
SoundPlayerFactory mediaSoundPlayers();

// The reminder sound of the program: Music/1.mp3 beside the executable.
std::filesystem::path reminderSoundFile(const std::filesystem::path& exeFolder);

// Asks which file to take; "" when none was chosen. Tests answer it themselves.
using SoundFileChooser = std::function<QString(QWidget* parent)>;
SoundFileChooser mp3FileChooser();

class TfrmSound : public QDialog {
    Q_OBJECT
public:
    TfrmSound(const std::filesystem::path& exeFolder, Prompter& prompter,
              const SoundPlayerFactory& players, SoundFileChooser chooser,
              QWidget* parent = nullptr);

    void onReplace();

private:
    void playIfPresent(const QString& file);

    std::filesystem::path file_;
    Prompter& prompter_;
    std::unique_ptr<SoundPlayer> player_;
    SoundFileChooser chooser_;
    QLineEdit* current_;
    QLineEdit* new_;
    QPushButton* play_;
    QPushButton* open_;
    QPushButton* listen_;
    QPushButton* replace_;
};

}  // namespace fennory::ui
