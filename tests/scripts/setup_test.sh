#!/usr/bin/env bash
# The set-up script's decision about missing packages, run against stand-ins
# for the system's commands (who we are, what dpkg knows, sudo, apt-get,
# cmake) on a PATH that holds nothing else. A normal user without sudo must
# get a clear message naming the packages and the root command, and an exit
# status of 1 rather than a shell error; with everything installed no root
# is needed at all.
# Usage: setup_test.sh path/to/scripts/setup.sh
set -uo pipefail
setup=$(realpath "$1")
bash=$(command -v bash)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-ins. dpkg-query reports every package installed except those in
# FAKE_MISSING; sudo, apt-get and cmake record their arguments in the log.
bin=$work/bin
mkdir -p "$bin"
for tool in dirname grep cat find realpath; do
  ln -s "$(command -v "$tool")" "$bin/$tool"
done
cat > "$bin/id" <<'STUB'
#!BASH
echo "$FAKE_UID"
STUB
cat > "$bin/dpkg-query" <<'STUB'
#!BASH
package=${!#}
for p in $FAKE_MISSING; do
  [ "$p" = "$package" ] && exit 1
done
printf 'install ok installed'
STUB
for tool in apt-get cmake sudo; do
  cat > "$bin/$tool" <<STUB
#!BASH
echo "$tool \$*" >> "\$FAKE_LOG"
exit \${FAKE_${tool//-/_}_STATUS:-0}
STUB
done
for stub in id dpkg-query apt-get cmake sudo; do
  sed -i "1s|BASH|$bash|" "$bin/$stub"
  chmod +x "$bin/$stub"
done
mv "$bin/sudo" "$work/sudo"

failures=0
fail() {
  echo "FAIL [$name]: $*"
  failures=$((failures + 1))
}

# Runs the script as one case: name, uid, missing packages, whether sudo
# exists and its exit status, TRIVANTO_FUZZ, then the expected exit status.
run_case() {
  name=$1 uid=$2 missing=$3 sudo=$4 sudo_status=$5 fuzz=$6 expected=$7
  rm -f "$work/log" "$work/err"
  touch "$work/log"
  rm -f "$bin/sudo"
  [ "$sudo" = yes ] && cp "$work/sudo" "$bin/sudo"
  env -i PATH="$bin" FAKE_UID="$uid" FAKE_MISSING="$missing" FAKE_LOG="$work/log" \
      FAKE_sudo_STATUS="$sudo_status" TRIVANTO_FUZZ="$fuzz" BUILD_DIR="$work/build" \
      "$bash" "$setup" > "$work/out" 2> "$work/err"
  status=$?
  [ "$status" -eq "$expected" ] || fail "exit status $status, expected $expected; stderr: $(cat "$work/err")"
  if grep -q -e 'command not found' -e 'unbound variable' -e 'syntax error' "$work/err"; then
    fail "shell error: $(cat "$work/err")"
  fi
}

expect_message() {
  local packages=$1
  grep -q "These Debian packages are missing: $packages" "$work/err" || fail "packages not named: $(cat "$work/err")"
  grep -qF "su -c \"apt-get update && apt-get install -y $packages\"" "$work/err" \
    || fail "no root command that refreshes the package lists: $(cat "$work/err")"
}

expect_log() {
  grep -q "$1" "$work/log" || fail "no '$1' in: $(cat "$work/log")"
}

expect_no_log() {
  ! grep -q "$1" "$work/log" || fail "unexpected '$1' in: $(cat "$work/log")"
}

run_case "normal user, no sudo, packages missing" 1000 "qt6-base-dev libgtest-dev" no 0 0 1
expect_message "qt6-base-dev libgtest-dev"
expect_no_log apt-get
expect_no_log cmake

run_case "normal user whom sudo refuses" 1000 "cmake" yes 1 0 1
expect_message "cmake"
expect_log "sudo apt-get update"
expect_no_log "cmake -S"

run_case "normal user, no sudo, the fuzzing compiler missing" 1000 "clang libclang-rt-14-dev" no 0 1 1
expect_message "clang libclang-rt-14-dev"

run_case "normal user, no sudo, everything installed" 1000 "" no 0 0 0
expect_no_log apt-get
expect_log "cmake -S . -B $work/build"
expect_log "cmake --build $work/build"

run_case "normal user with sudo" 1000 "ninja-build" yes 0 0 0
expect_log "sudo apt-get install -y -q ninja-build"

run_case "root" 0 "ninja-build" no 0 0 0
expect_log "^apt-get install -y -q ninja-build"
expect_no_log sudo

# A build folder left by another user (a run as root) is named, with the
# command that removes it, in one line, before the build tool fails on it.
# The stand-in id makes us someone other than the owner of the files here.
mkdir -p "$work/build/sub"
touch "$work/build/sub/build.ninja"
other_uid=$(( $(command id -u) + 1 ))
run_case "build folder of another user" "$other_uid" "" no 0 0 1
expect_no_log cmake
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "not one line: $(cat "$work/err")"
grep -qF "$work/build" "$work/err" || fail "folder not named: $(cat "$work/err")"
grep -qF "rm -rf $work/build" "$work/err" || fail "no command to remove it: $(cat "$work/err")"

run_case "build folder of one's own" "$(command id -u)" "" no 0 0 0
expect_log "cmake --build $work/build"
rm -rf "$work/build"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all cases pass"
