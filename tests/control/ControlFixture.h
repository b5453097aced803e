#pragma once
// A control initialised with recording host components in a fresh
// temporary folder, and a recorder of its AudioSettingChanged events.

#include <VantorDictation4/Dictation.h>

#include "audio/MemoryAudioRecorder.h"
#include "common/ProcessState.h"
#include "services/HostServices.h"
#include "services/VantorMessage.h"
#include "support/FakeRelayHubServer.h"
#include "support/RecordingUtils.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

struct SettingEvent {
    QString name, oldValue, newValue;
};

struct ControlFixture : ::testing::Test {
    QTemporaryDir folder;
    FakeRelayHubServer server;
    RecordingUtils utils;
    VantorCodeTables codeTables;
    vd::ScriptedMessages messages;
    std::unique_ptr<Dictation> control;
    vd::MemoryAudioRecorder* recorder = nullptr;
    QList<SettingEvent> events;

    void SetUp() override {
        server.answers.insert("|GET|COLOR|", "|OK||0\t255"); // a minimal colour table
        control = makeControl();
    }
    void TearDown() override {
        control.reset();
        vd::Slots().utility = nullptr;
    }

    std::unique_ptr<Dictation> makeControl(bool initialise = true) {
        auto c = std::make_unique<Dictation>();
        auto mem = std::make_unique<vd::MemoryAudioRecorder>();
        mem->recordingDevices = {"USB Headset", "Line In"};
        mem->playbackDevices = {"Speakers", "USB Headset"};
        recorder = mem.get();
        c->setAudioRecordingControl(std::move(mem));
        QObject::connect(c.get(), &Dictation::AudioSettingChanged,
                         [this](const QString& n, const QString& o, const QString& v) {
                             events.append({n, o, v});
                         });
        if (initialise)
            c->ControlInitialize(&server, &utils, &codeTables, folder.path(), "jsmith",
                                 VantorDictation4::RecordingType_Dictation);
        return c;
    }
};
