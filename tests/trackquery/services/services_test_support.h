#pragma once
// Shared set-up of the session, resource and logging service tests: a clean module state, the
// real client components registered, the source tree's language files, and no pending error.

#include <support/session_resources.h>

#include <components/logging/register_logging.h>
#include <components/resources/register_resources.h>
#include <components/resources/res_loader.h>
#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/modYqLogMsg.h>

#include <gtest/gtest.h>

class ServicesTest : public ::testing::Test {
  protected:
    static constexpr char kSession[] =
        "ConnectString={Provider=SQLite;Data Source=/tmp/erp.db};UserID=16394;"
        "UserName=administrator;SubID=CJ;Language=en;";

    void SetUp() override { Fresh(); }
    void TearDown() override { Fresh(); }

    static void Fresh() {
        trackquery::ResetMMTSState();
        trackquery::ResetMParseState();
        trackquery::ResetYqLogMsgState();
        trackquery::testing::UseFreshSessionWithSourceResources();
        client::RegisterLoggingComponents();
        automation::Err().Clear();
    }

    // The session property string of this process, with the language code replaced.
    static void UseSession(const std::string& props) { client::SetPropsString(props); }
    static void UseLanguage(const std::string& language) {
        UseSession(
            "ConnectString={Provider=SQLite;Data Source=/tmp/erp.db};UserID=16394;"
            "UserName=administrator;SubID=CJ;Language=" +
            language + ";");
    }

    static void SetPendingError() {
        auto& err = automation::Err();
        err.Number = 3021;
        err.Source = "QzICMOTrackQuery.CICMOQuery.DetailExpand";
        err.Description = "Either BOF or EOF is True";
    }

    static void ExpectPendingErrorIntact() {
        const auto& err = automation::Err();
        EXPECT_EQ(err.Number, 3021);
        EXPECT_EQ(err.Source, "QzICMOTrackQuery.CICMOQuery.DetailExpand");
        EXPECT_EQ(err.Description, "Either BOF or EOF is True");
    }
};
