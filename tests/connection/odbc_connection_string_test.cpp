// The OLE DB -> ODBC translation: what the driver receives for the tool's connection
// strings, and that nothing inside a server name becomes a keyword of its own.
#include "connection/odbc_connection_string.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "connection/connection_strings.h"

namespace {

using basADODB::OdbcConnectionString;

std::string ForFreeTds(std::string_view serverName) {
  return OdbcConnectionString(connection::MenuDatabaseConnectionString(serverName), "FreeTDS");
}

void ExpectRefused(std::string_view oleDbText) {
  EXPECT_THROW(OdbcConnectionString(oleDbText, "FreeTDS"), common::FailureError) << oleDbText;
}

TEST(OdbcConnectionString, MenuDatabaseOnEachPlatformsDriver) {
  EXPECT_EQ(
      ForFreeTds("SRV01"),
      "DRIVER={FreeTDS};SERVER=SRV01;Port=1433;TDS_Version=7.1;DATABASE=Ro35VARA;UID=sa;PWD=;");
  EXPECT_EQ(OdbcConnectionString(connection::MenuDatabaseConnectionString("SRV01"), "SQL Server"),
            "DRIVER={SQL Server};SERVER=SRV01;DATABASE=Ro35VARA;UID=sa;PWD=;");
}

TEST(OdbcConnectionString, KeywordsIgnoreCaseAndBlanksAndUnquotedValuesLoseTheirBlanks) {
  EXPECT_EQ(OdbcConnectionString(
                " provider = sqloledb ; DATA SOURCE =  SRV01  ;Initial Catalog=X; user id=u;"
                "PASSWORD=p w;;",
                "SQL Server"),
            "DRIVER={SQL Server};SERVER=SRV01;DATABASE=X;UID=u;PWD=p w;");
  EXPECT_EQ(
      ForFreeTds("  SRV01 "),
      "DRIVER={FreeTDS};SERVER=SRV01;Port=1433;TDS_Version=7.1;DATABASE=Ro35VARA;UID=sa;PWD=;");
}

TEST(OdbcConnectionString, AServerNamingAPortOrAnInstanceGetsNoDefaultPort) {
  EXPECT_EQ(ForFreeTds("SRV01,1450"),
            "DRIVER={FreeTDS};SERVER={SRV01,1450};TDS_Version=7.1;DATABASE=Ro35VARA;UID=sa;PWD=;");
  EXPECT_EQ(ForFreeTds("SRV01\\SQLEXPRESS"),
            "DRIVER={FreeTDS};SERVER=SRV01\\SQLEXPRESS;TDS_Version=7.1;DATABASE=Ro35VARA;UID=sa;"
            "PWD=;");
}

TEST(OdbcConnectionString, QuotedProviderValuesKeepTheirSemicolonsInsideOneBracedValue) {
  EXPECT_EQ(OdbcConnectionString(
                "Provider=SQLOLEDB;data source=\"a;UID=root\";Password='it''s';User ID=\" sa \"",
                "SQL Server"),
            "DRIVER={SQL Server};SERVER={a;UID=root};UID={ sa };PWD=it's;");
  // A blank at either end alone is kept by the braces, not trimmed by the driver.
  EXPECT_EQ(OdbcConnectionString("Provider=SQLOLEDB;Password='pw ';User ID=' sa'", "SQL Server"),
            "DRIVER={SQL Server};UID={ sa};PWD={pw };");
}

TEST(OdbcConnectionString, ClosingBracesAreDoubledSoABracedValueCannotBeEnded) {
  EXPECT_EQ(OdbcConnectionString("Provider=SQLOLEDB;data source='x};UID={root'", "SQL Server"),
            "DRIVER={SQL Server};SERVER={x}};UID={root};");
  EXPECT_EQ(OdbcConnectionString("Provider=SQLOLEDB;data source=a}b", "Odd}Driver"),
            "DRIVER={Odd}}Driver};SERVER={a}}b};");
}

TEST(OdbcConnectionString, KeywordsASemicolonInTheServerNameAddsAreRefused) {
  ExpectRefused(connection::MenuDatabaseConnectionString("SRV01;DRIVER={PostgreSQL}"));
  ExpectRefused(connection::MenuDatabaseConnectionString("SRV01;Trusted_Connection=yes"));
  ExpectRefused(connection::MenuDatabaseConnectionString("SRV01;Provider=MSDASQL"));
}

TEST(OdbcConnectionString, TheToolsOwnKeywordsAfterTheNameStillWin) {
  // The catalog, user and password follow the name, and a later keyword overrides an
  // earlier one: a name cannot redirect the connection to another catalog or login.
  EXPECT_EQ(
      ForFreeTds("SRV01;initial catalog=master;User ID=admin"),
      "DRIVER={FreeTDS};SERVER=SRV01;Port=1433;TDS_Version=7.1;DATABASE=Ro35VARA;UID=sa;PWD=;");
}

TEST(OdbcConnectionString, MalformedOrForeignStringsAreRefused) {
  ExpectRefused("data source=SRV01;initial catalog=X");       // no provider
  ExpectRefused("Provider=MSDASQL;data source=SRV01");        // another provider
  ExpectRefused("Provider=SQLOLEDB;data source=SRV01;oops");  // a piece without "="
  ExpectRefused("Provider=SQLOLEDB;data source=\"SRV01;");    // an unterminated quote
  ExpectRefused("Provider=SQLOLEDB;data source=\"SRV\"01;");  // text after a quote
  ExpectRefused("Provider=SQLOLEDB;=SRV01");                  // a value without keyword
}

// Found by fuzz/connection_string_fuzzer.cpp: a NUL in the server name reached the
// driver, which reads the string as C text and would see the name cut short.
TEST(OdbcConnectionString, ANulAnywhereIsRefused) {
  using namespace std::string_literals;
  ExpectRefused(connection::MenuDatabaseConnectionString("SRV01\0evil"s));
  ExpectRefused("Provider=SQLOLEDB;data source='SRV01';Password='a\0b'"s);
}

}  // namespace
