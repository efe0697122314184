#!/bin/sh
# The README's Ansible play, run on Linux: the same tasks with ansible.builtin's command
# and copy in place of the Windows modules, against this machine, the Linux program and
# a settings store and Wine-style drive C: of the test's own. The first run restores the
# reference and reports the change, the second changes nothing, a reference with a bad
# line fails the play with the tool's message and changes nothing, and a set-server item
# that fails fails the play showing every item's status. The README must show the play
# and its inventory exactly as they are in docs/ansible.
#   usage: ansible_play_test.sh SOURCE_DIR REGTOOL
set -eu
source_dir=${1:?source folder}
regtool=${2:?the regtool program}
play=$source_dir/docs/ansible/workstations.yml

fail() { echo "FAIL: $*" >&2; exit 1; }

# The README shows FILE when one of its fenced blocks holds exactly FILE's lines.
shown_in_readme() {
  awk -v file="$1" '
    BEGIN { while ((getline line < file) > 0) want = want line "\n" }
    /^```/ { if (inside && block == want) found = 1; inside = !inside; block = ""; next }
    inside { block = block $0 "\n" }
    END { exit !found }' "$source_dir/README.md"
}
for file in "$play" "$source_dir/docs/ansible/inventory.yml"; do
  shown_in_readme "$file" || fail "README.md does not show ${file#"$source_dir"/} as it is"
done

if ! command -v ansible-playbook >/dev/null 2>&1; then
  echo "SKIP: ansible-playbook is missing (Debian package ansible-core)"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Everything the program and Ansible keep goes to the test's folder. (su keeps these
# variables but sets HOME to the user's own, so the state folder is named too.)
export LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" \
  WINEPREFIX="$work/wine" HOME="$work/home" ANSIBLE_HOME="$work/ansible" \
  ANSIBLE_LOCAL_TEMP="$work/ansible/tmp" ANSIBLE_REMOTE_TEMP="$work/ansible/tmp" \
  ANSIBLE_CONFIG="$work/none.cfg" ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME" "$XDG_CONFIG_HOME/vb-registry" "$WINEPREFIX/dosdevices" "$work/drive_c/QZ35/DAT"
ln -s "$work/drive_c" "$WINEPREFIX/dosdevices/c:"

sed -e 's/ansible\.windows\.win_command:/ansible.builtin.command:/' \
  -e 's/ansible\.windows\.win_copy:/ansible.builtin.copy:/' "$play" >"$work/workstations.yml"
grep -q 'ansible\.windows' "$work/workstations.yml" && fail "the play uses a Windows module the twin lacks"

# The settings are the user's own: as root the tasks become this user through su, as
# anyone else they run as this user already.
if [ "$(id -u)" -eq 0 ]; then become='ansible_become_method: su'; else become='ansible_become: false'; fi
yaml_text() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/''/g")"; }
cat >"$work/inventory.yml" <<INVENTORY
workstations:
  hosts:
    localhost:
  vars:
    ansible_connection: local
    ansible_python_interpreter: "{{ ansible_playbook_python }}"
    $become
    settings_user: $(id -un)
    regtool: $(yaml_text "$regtool")
    reference: $(yaml_text "$work/drive_c/QZ35/DAT/reference.txt")
    reference_source: $(yaml_text "$work/reference.txt")
INVENTORY

store=$XDG_CONFIG_HOME/vb-registry/HKEY_CURRENT_USER.reg
root='HKEY_CURRENT_USER\Software\VB and VBA Program Settings'
printf 'REGEDIT4\r\n\r\n[%s\\VODureza\\PARAM]\r\n"DBSource"="SRV01"\r\n"RetryCount"=dword:00000003\r\n\r\n' \
  "$root" >"$store"
printf 'VODureza,PARAM,DBSource,SRV02\r\nVODureza,PARAM,站台名稱,一號櫃台\r\n' >"$work/reference.txt"

# Runs the play; its output goes to $work/output, its recap line for this machine to
# $recap.
run_play() {
  status=0
  ansible-playbook -i "$work/inventory.yml" "$work/workstations.yml" >"$work/output" 2>&1 || status=$?
  recap=$(sed -n 's/^localhost *: *//p' "$work/output" | tr -s ' ')
}
expect() {
  case "$status $recap" in
    "$1 "*"$2"*) ;;
    *) cat "$work/output" >&2; fail "$3: exit $status, recap \"$recap\"" ;;
  esac
}

run_play
expect 0 "changed=2 unreachable=0 failed=0" "the first run restores and reports it"
for setting in '"DBSource"="SRV02"' '"站台名稱"="一號櫃台"' '"RetryCount"=dword:00000003'; do
  grep -qF "$setting" "$store" || { cat "$store" >&2; fail "the store lacks $setting"; }
done
grep -qF 'DBSource: SRV01 -> SRV02' "$work/output" ||
  { cat "$work/output" >&2; fail "the play does not show what the restore changed"; }

cp "$store" "$work/store.before"
run_play
expect 0 "changed=0 unreachable=0 failed=0" "the second run changes nothing"
cmp -s "$store" "$work/store.before" || fail "the second run changed the store"

printf 'VODureza,PARAM,DBSource,SRV03\r\nVODureza,PARAM\r\n' >"$work/reference.txt"
run_play
expect 2 "failed=1" "a bad reference fails the play"
grep -q 'Line 2 of the snapshot' "$work/output" ||
  { cat "$work/output" >&2; fail "the play does not show the tool's message"; }
cmp -s "$store" "$work/store.before" || fail "a bad reference changed the store"

# With a database server named but out of reach, set-server writes the INI files, its
# last item fails, and the play stops showing each item's status.
printf 'VODureza,PARAM,DBSource,SRV02\r\n' >"$work/reference.txt"
for program in VODureza VARIrazEve DODOZOvi; do
  mkdir -p "$work/drive_c/$program"
  printf '[PARAM]\r\nDBSource=old\r\nGCNT=old\r\n' >"$work/drive_c/$program/$program.ini"
done
echo "    db_server: '127.0.0.1,1'" >>"$work/inventory.yml"
run_play
expect 2 "unreachable=0 failed=1" "a set-server item that fails fails the play"
grep -qF 'DBSource=127.0.0.1,1' "$work/drive_c/VODureza/VODureza.ini" ||
  fail "set-server did not write the server name into VODureza.ini"
grep -qF 'IDMENU\t資料庫連線失敗' "$work/output" ||
  { cat "$work/output" >&2; fail "the play does not show set-server's items"; }
echo "the play restores, then changes nothing, and stops at a bad reference or a failed item"
