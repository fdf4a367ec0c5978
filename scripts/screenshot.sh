#!/usr/bin/env bash
# Starts the built program under a virtual X server, puts a SQL query on the clipboard
# from another process and saves a picture of the window as docs/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT=${OUT:-docs/screenshot.png}
mkdir -p "$(dirname "$OUT")"
OUT=$(realpath "$OUT")
EXE=$(realpath "$BUILD/bin/Quodra")

INNER=$(mktemp)
trap 'rm -f "$INNER"' EXIT
cat > "$INNER" <<'INNER_EOF'
set -euo pipefail
home=""
  home=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
  # Own settings, and an update server that refuses at once.
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
  export QUODRA_UPDATE_URL=http://127.0.0.1:1/verzeini30.txt
  "$EXE" &
  sleep 3
  printf '%s\n' \
    "SELECT o.OrderID, o.OrderDate, c.CompanyName, SUM(d.Quantity * d.UnitPrice) AS Total" \
    "  FROM Orders o" \
    "  JOIN Customers c ON c.CustomerID = o.CustomerID" \
    "  JOIN [Order Details] d ON d.OrderID = o.OrderID" \
    " WHERE o.OrderDate >= '2020-01-01' -- this year only" \
    " GROUP BY o.OrderID, o.OrderDate, c.CompanyName" \
    " ORDER BY Total DESC" | xclip -selection clipboard -i &
  sleep 3
  import -window root "$OUT"
INNER_EOF
export EXE OUT
xvfb-run -a -s "-screen 0 952x629x24" bash "$INNER"
echo "Saved $OUT"
