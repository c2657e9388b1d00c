// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Host that shows nothing and never cancels, so that benchmarks measure only the work.

#include "core/Host.h"

#include <memory>

namespace arbolink::bench {

class SilentDialog : public ProgressDialog {
public:
    void SetCaption(const std::string&) override {}
    void SetOuterSize(int, int) override {}
    void SetAnimation(Animation, int, int, bool) override {}
    void SetMessage(const Box&, TextAlignment, const std::string&) override {}
    void SetStage(const std::string&) override {}
    void PlaceGauge(int, int) override {}
    void SetGauge(int) override {}
    void Show() override {}
    void Repaint() override {}
    bool CancelRequested() const override { return false; }
};

class SilentHost : public Host {
public:
    Button ShowDialog(DialogKind, const std::string&, const Buttons& b) override {
        return b.front();
    }
    Button ShowDialogUntil(DialogKind, const std::string&, const Buttons& b,
                           const std::function<bool()>&, Button) override {
        return b.front();
    }
    void Beep() override {}
    void ProcessMessages() override {}
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override {
        return std::make_unique<SilentDialog>();
    }
    void SetMainWindowEnabled(bool) override {}
    MainFields ReadFields() override { return {}; }
    void SelectFieldText(Field) override {}
};

} // namespace arbolink::bench
