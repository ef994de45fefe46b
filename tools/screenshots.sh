#!/usr/bin/env bash
# Builds Zentrix (the release preset, in build-release/, as tools/run.sh does),
# starts it on a virtual display and takes a picture of each calculator's window:
# docs/screenshots/{subnet,radix,latency}.png, the pictures the README shows,
# and of the address planner with the plan of docs/screenshots/planner-demo.zplan
# (planner.png), of the path window with a typed path (path.png) and of the
# bit workbench's two tabs (workbench.png, workbench-wildcard.png). Then it
# does the same on a dark desktop, for the same names with -dark: the palette
# of tools/dark-colours.conf reaches the program through the qt6ct platform
# theme, as a desktop's dark theme does. Run it again whenever the
# calculators change.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="$ZENTRIX_ROOT/docs/screenshots"

# Runs on the virtual display that the main part below starts. `variant` is
# "light" or "dark".
take_pictures() {
    local program=$1 variant=$2 suffix="" window
    # A settings store of its own, so that what the user last chose does not
    # show up in the pictures: every run starts from the program's defaults.
    # config and pid are global: the exit trap runs after this function returns.
    config=$(mktemp -d)
    # Nothing of the user's own desktop theme or style either.
    unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
    if [ "$variant" = dark ]; then
        suffix=-dark
        export QT_QPA_PLATFORMTHEME=qt6ct
        # qt6ct also sets the program's face: the one the program chooses
        # itself, so that the pictures differ from the light ones in colour only.
        mkdir -p "$config/qt6ct"
        cat >"$config/qt6ct/qt6ct.conf" <<EOF
[Appearance]
custom_palette=true
color_scheme_path=$ZENTRIX_ROOT/tools/dark-colours.conf
style=Fusion

[Fonts]
general="Liberation Sans,-1,11,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="Liberation Mono,-1,11,5,400,0,0,0,0,0,0,0,0,0,0,1"
EOF
    fi
    # The planner opens with the plan it remembers: the demo plan, as the
    # store beside the settings keeps it (the plan file's text as one value).
    mkdir -p "$config/Qorvel Group"
    python3 - "$ZENTRIX_ROOT/docs/screenshots/planner-demo.zplan" \
        "$config/Qorvel Group/Zentrix Planner.conf" <<'PLAN'
import json, sys
plan = json.dumps(json.load(open(sys.argv[1])))
with open(sys.argv[2], "w") as store:
    store.write('[General]\nPlan="%s"\n' % plan.replace("\\", "\\\\").replace('"', '\\"'))
PLAN
    # The path window opens with the inputs it remembers: a path typed in,
    # WireGuard over PPPoE, a loss of 1 in 10,000.
    cat >"$config/Qorvel Group/Zentrix Path Performance.conf" <<'PATH'
[General]
UseChain=false
Bandwidth=100
RoundTrip=40
Loss=0.0001
Window=256 KiB
Stack="wireguard4,pppoe"
TransferSize=10 GB
PATH
    # The bit workbench opens with pi as a binary32, and a wildcard mask.
    cat >"$config/Qorvel Group/Zentrix Bit Workbench.conf" <<'WORKBENCH'
[General]
Word=40490FDB
Width=32
Form=7
Entry=3.1415927
Operand=0x7F800000
Wildcard=10.0.0.0, 0.255.0.255, 10.7.0.9
WORKBENCH
    XDG_CONFIG_HOME="$config" "$program" &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$config"' EXIT

    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zentrix$' | head -n 1) || true
    if [ -z "$window" ]; then
        echo "Zentrix did not show its window." >&2
        exit 1
    fi
    # There is no window manager on the virtual display: give the window the
    # keyboard focus ourselves so that the menu shortcuts reach it.
    xdotool windowfocus --sync "$window"

    local name key
    for name in subnet radix latency; do
        case $name in
        subnet) key=ctrl+i ;;
        radix) key=ctrl+h ;;
        latency) key=ctrl+l ;;
        esac
        xdotool key --clearmodifiers "$key"
        # Long enough for the calculator to lay out and paint its page.
        sleep 1
        # The window alone: without a window manager it has no frame to crop.
        import -window "$window" "$out/$name$suffix.png"
        echo "wrote ${out#"$ZENTRIX_ROOT"/}/$name$suffix.png"
    done

    # The planner, a window of its own.
    local planner
    xdotool key --clearmodifiers ctrl+p
    planner=$(timeout 30 xdotool search --sync --onlyvisible --name 'Address Planner' | head -n 1) || true
    if [ -z "$planner" ]; then
        echo "Zentrix did not show its address planner." >&2
        exit 1
    fi
    xdotool windowfocus --sync "$planner"
    sleep 1
    import -window "$planner" "$out/planner$suffix.png"
    echo "wrote ${out#"$ZENTRIX_ROOT"/}/planner$suffix.png"

    # The path window, a window of its own, opened from the main window.
    local path
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+t
    path=$(timeout 30 xdotool search --sync --onlyvisible --name 'Path Performance' | head -n 1) || true
    if [ -z "$path" ]; then
        echo "Zentrix did not show its path window." >&2
        exit 1
    fi
    xdotool windowfocus --sync "$path"
    sleep 1
    import -window "$path" "$out/path$suffix.png"
    echo "wrote ${out#"$ZENTRIX_ROOT"/}/path$suffix.png"

    # The bit workbench, a window of its own too, opened from the main window.
    local workbench
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+b
    workbench=$(timeout 30 xdotool search --sync --onlyvisible --name 'Bit Workbench' | head -n 1) || true
    if [ -z "$workbench" ]; then
        echo "Zentrix did not show its bit workbench." >&2
        exit 1
    fi
    xdotool windowfocus --sync "$workbench"
    # The exponent's bits chosen as a field (from bit 23, eight bits up),
    # then the value shifted and the shift undone, for a history to show.
    xdotool key --clearmodifiers alt+Left ctrl+z alt+b
    xdotool key --clearmodifiers --repeat 23 Left
    xdotool key --clearmodifiers --repeat 7 shift+Left
    sleep 1
    import -window "$workbench" "$out/workbench$suffix.png"
    echo "wrote ${out#"$ZENTRIX_ROOT"/}/workbench$suffix.png"
    xdotool key --clearmodifiers ctrl+2
    sleep 1
    import -window "$workbench" "$out/workbench-wildcard$suffix.png"
    echo "wrote ${out#"$ZENTRIX_ROOT"/}/workbench-wildcard$suffix.png"
}

if [ "${1:-}" = "--take-pictures" ]; then
    take_pictures "$2" "$3"
    exit 0
fi

install_missing_packages
# Needed only here, so not in packages.txt.
extra=()
command -v xdotool >/dev/null || extra+=(xdotool)
command -v import >/dev/null || extra+=(imagemagick)
dpkg-query -W -f='${Status}' qt6ct 2>/dev/null | grep -q 'install ok installed' || extra+=(qt6ct)
if [ ${#extra[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing what the screenshots need: ${extra[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${extra[@]}"
fi

build_preset release --target zentrix

mkdir -p "$out"
# Always a virtual display, even on a desktop: the pictures then do not
# depend on the user's screen, theme or scaling.
for variant in light dark; do
    xvfb-run -a -s "-screen 0 1280x1024x24" "${BASH_SOURCE[0]}" --take-pictures \
        "$ZENTRIX_ROOT/build-release/app/zentrix" "$variant"
done
