#include "plans/ui/sound.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <QVBoxLayout>

#include <system_error>

namespace fennory::ui {

MediaSoundPlayer::MediaSoundPlayer()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
}

MediaSoundPlayer::~MediaSoundPlayer() = default;

void MediaSoundPlayer::play(const QString& file) {
    // Without an output device the decoder has nowhere to write, and some
    // backends then crash rather than fail: there is nothing to play to.
    if (!QFileInfo::exists(file) || QMediaDevices::audioOutputs().isEmpty()) {
        return;
    }
    // Errors (no sound device, an unreadable file) end in the player's error
    // state, which nobody needs to hear about.
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file));
    player_->play();
}

void MediaSoundPlayer::stop() {
    player_->stop();
    player_->setSource(QUrl());
}

SoundPlayerFactory mediaSoundPlayers() {
    return [] { return std::make_unique<MediaSoundPlayer>(); };
}

std::filesystem::path reminderSoundFile(const std::filesystem::path& exeFolder) {
    return exeFolder / "Music" / "1.mp3";
}

SoundFileChooser mp3FileChooser() {
    return [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(),
                                            QStringLiteral("mp3文件 (*.mp3)"));
    };
}

TfrmSound::TfrmSound(const std::filesystem::path& exeFolder, Prompter& prompter,
                     const SoundPlayerFactory& players, SoundFileChooser chooser, QWidget* parent)
    : QDialog(parent),
      file_(reminderSoundFile(exeFolder)),
      prompter_(prompter),
      player_(players ? players() : nullptr),
      chooser_(std::move(chooser)),
      current_(withName("currentPath", new QLineEdit)),
      new_(withName("newPath", new QLineEdit)),
      play_(withName("playButton", new QPushButton(QStringLiteral("播放")))),
      open_(withName("openButton", new QPushButton(QStringLiteral("打开")))),
      listen_(withName("listenButton", new QPushButton(QStringLiteral("试听")))),
      replace_(withName("replaceButton", new QPushButton(QStringLiteral("替换")))) {
    setWindowTitle(QStringLiteral("计划提醒声音设置"));
    current_->setReadOnly(true);
    current_->setText(QString::fromStdString(file_.string()));
    current_->setMinimumWidth(360);

    auto* now = new QGroupBox(QStringLiteral("当前声音"));
    auto* n = new QGridLayout(now);
    n->addWidget(new QLabel(QStringLiteral("声音路径：")), 0, 0);
    n->addWidget(current_, 0, 1);
    n->addWidget(play_, 0, 2);

    auto* other = new QGroupBox(QStringLiteral("更换声音"));
    auto* o = new QGridLayout(other);
    o->addWidget(new QLabel(QStringLiteral("声音路径：")), 0, 0);
    o->addWidget(new_, 0, 1, 1, 2);
    auto* picks = new QHBoxLayout;
    picks->addStretch(1);
    picks->addWidget(open_);
    picks->addWidget(listen_);
    o->addLayout(picks, 1, 0, 1, 3);

    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(replace_);
    buttons->addWidget(exit);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(now);
    outer->addWidget(other);
    outer->addLayout(buttons);

    connect(play_, &QPushButton::clicked, this,
            guarded([this] { playIfPresent(current_->text()); }));
    connect(open_, &QPushButton::clicked, this, guarded([this] {
                if (chooser_) {
                    new_->setText(chooser_(this));
                }
            }));
    connect(listen_, &QPushButton::clicked, this, guarded([this] { playIfPresent(new_->text()); }));
    connect(replace_, &QPushButton::clicked, this, guarded(this, &TfrmSound::onReplace));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, guarded([this] {
                if (player_) {
                    player_->stop();
                }
            }));
}

void TfrmSound::playIfPresent(const QString& file) {
    if (player_ && !file.isEmpty() && QFileInfo(file).isFile()) {
        player_->play(file);
    }
}

void TfrmSound::onReplace() {
    // The file being played may be the one about to be overwritten.
    if (player_) {
        player_->stop();
    }
    const QString chosen = new_->text().trimmed();
    if (chosen.isEmpty()) {
        prompter_.info(QStringLiteral("请打开声音文件！"));
        open_->setFocus();
        return;
    }
    std::error_code ec;
    const std::filesystem::path from = chosen.toStdString();
    if (!std::filesystem::is_regular_file(from, ec)) {
        prompter_.warn(QStringLiteral("声音文件不存在：") + chosen);
        new_->setFocus();
        return;
    }
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (std::filesystem::equivalent(from, file_, ec)) {
        prompter_.info(QStringLiteral("替换成功！"));
        new_->clear();
        return;
    }
    // Written beside the old file first, so a failed copy leaves the old sound.
    std::filesystem::path temp = file_;
    temp += ".new";
    ec.clear();
    std::filesystem::copy_file(from, temp, std::filesystem::copy_options::overwrite_existing, ec);
    if (!ec) {
        std::filesystem::rename(temp, file_, ec);
    }
    if (ec) {
        std::filesystem::remove(temp, ec);
        prompter_.warn(QStringLiteral(
            "替换失败，原来的声音没有改动。请检查 Music 文件夹是否可写、磁盘是否已满。"));
        return;
    }
    prompter_.info(QStringLiteral("替换成功！"));
    new_->clear();
}

}  // namespace fennory::ui
