# Shared by scripts/backup and scripts/restore. Sourced, not run.

LX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LX_BUILD=${LX_BUILD:-$LX_ROOT/build}

# The database the programs use: the alias file's first line plus FINANCEIRO.GDB, or the
# programs' folder; LX_DATABASE overrides both.
lx_database() {
  if [ -n "${LX_DATABASE:-}" ]; then
    echo "$LX_DATABASE"
  elif [ -f /etc/aliaslembrix.txt ]; then
    local line
    IFS= read -r line </etc/aliaslembrix.txt || true
    echo "$line/FINANCEIRO.GDB"
  else
    echo "$LX_BUILD/bin/FINANCEIRO.GDB"
  fi
}

# A connection string with a server ("host:/path", "host/port:/path").
lx_is_remote() { [[ "$1" == *:* ]]; }

# Whether a process has the file open (each program's embedded engine holds it).
lx_in_use() {
  local pattern
  # -lname takes a pattern: the path's own wildcard characters are escaped.
  pattern=$(readlink -f "$1" | sed 's/[][*?\\]/\\&/g')
  [ -n "$(find /proc/[0-9]*/fd -maxdepth 1 -lname "$pattern" -print -quit 2>/dev/null)" ]
}

# gbak with the suite's credentials and, for a local file, the programs' own Firebird root,
# so that it shares the file with running programs (Classic mode) as they share it.
lx_gbak() {
  command -v gbak >/dev/null || { echo "gbak não encontrado: instale firebird3.0-utils." >&2; exit 1; }
  local root="$LX_BUILD/bin/firebird"
  if [ ! -f "$root/firebird.conf" ]; then
    echo "Pasta $root não encontrada: compile o programa antes (scripts/run)." >&2
    exit 1
  fi
  FIREBIRD=$root ISC_USER=SYSDBA ISC_PASSWORD=vorpaldex gbak "$@"
}
