# The cross-built SQLite and Crypto++ at work inside a Windows program.
source "$NUBREL_ROOT/scripts/env.sh"
"$NUBREL_ROOT/scripts/wine-run.sh" "$NUBREL_TEST_TREE/bin/platform_test.exe" --gtest_brief=0
