// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TAnimate: the small animation of the progress dialog. The platform's own folder-search and
// file-copy clips do not exist outside Windows, so both are painted here, frame by frame: a
// magnifying glass circling over a folder, and a sheet flying from one folder to another.

#include <QTimer>
#include <QWidget>

namespace arbolink {

// The two standard clips the progress dialog shows.
enum class CommonAvi { FindFolder, CopyFiles };

class TAnimate : public QWidget {
    Q_OBJECT

public:
    explicit TAnimate(QWidget* parent = nullptr);

    CommonAvi Clip() const { return clip_; }
    // Chooses the clip; the control takes the clip's frame size and shows its first frame.
    void SetClip(CommonAvi clip);
    bool Active() const { return timer_.isActive(); }
    void SetActive(bool playing);
    int Frame() const { return frame_; }

    static QSize FrameSize(CommonAvi clip);
    static constexpr int kFrameCount = 16;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void NextFrame();

    CommonAvi clip_ = CommonAvi::CopyFiles;
    int frame_ = 0;
    QTimer timer_;
};

} // namespace arbolink
