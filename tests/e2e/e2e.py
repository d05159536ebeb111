#!/usr/bin/env python3
"""End-to-end tests of Tessivo: the real tessivo.exe and Brimlet.exe under Wine on a
virtual display, driven as a user drives them: mouse clicks and keys by xdotool, a
scene window of blob pairs (e2e_scene.exe) at the capture region, the X clipboard
read by xclip, and the screen read back by ImageMagick's import.

Run by tests/e2e/run.sh, which starts the display and the wineserver first.
    e2e.py [SCENARIO ...]   run the scenarios (all by default); one line each,
                            then "N passed, M failed"; exit status 1 on a failure
    e2e.py --demo           show what the program does: a few captures of a scene,
                            the link printed, a screenshot saved

Environment: TESSIVO_BUILD (build folder; artefacts go to its e2e-artifacts/),
TESSIVO_BIN (folder of tessivo.exe, Brimlet.exe and e2e_scene.exe; default
$TESSIVO_BUILD/win64/bin), DISPLAY and WINEPREFIX as set by scripts/wine-env.sh.

Under Wine without a window manager, the X window of a framed top-level window is
its client area (the frame is left to a window manager that is not there), so client
coordinates are taken from the X window's position. Wine hands the keyboard to a
window on a click; keys are then sent to its X window.
"""
import colorsys
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("TESSIVO_BUILD") or os.path.join(ROOT, "build")
BIN = os.environ.get("TESSIVO_BIN") or os.path.join(BUILD, "win64", "bin")
ARTEFACTS = os.path.join(BUILD, "e2e-artifacts")
WORK = os.path.join(BUILD, "e2e-work")

# Where setting.ini puts the capture region, and where a second scene stands for
# the region to be moved to. Both lie clear of the main window (at the top left).
REGION = (600, 100)
SECOND_PLACE = (700, 100)
SIDE_BY_SIDE = (4, 300)  # where a second main window is moved, below the first

GREY = (136, 136, 136)
BLACK = (0, 0, 0)
# Per colour name: the scene's blob (as in scene.cpp), the BlobColour number, the
# colour of its voted pixels in the class view and the fill of its disc.
COLOURS = {
    "red": ((230, 40, 40), 1, (255, 0, 0), (255, 0, 0)),
    "green": ((40, 200, 60), 2, (0, 255, 0), (0, 255, 0)),
    "blue": ((40, 80, 230), 3, (0, 0, 255), (0, 0, 255)),
    "yellow": ((240, 220, 30), 4, (255, 255, 0), (255, 255, 0)),
    "purple": ((170, 50, 200), 5, (255, 0, 255), (200, 0, 200)),
}
SCENE_BACKDROP = (24, 24, 32)
LINK_CODES = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"

# Client geometry of the main window.
BUTTONS = {"capture": (50, 10), "undo": (130, 10), "reset": (190, 10), "link": (250, 10),
           "region": (310, 10)}
SAMPLE_VIEW, HUE_VIEW, CLASS_VIEW = (5, 25), (60, 25), (115, 25)
VIEW_SIZE = (50, 100)
QUIET_SPOT = (300, 190)  # grey, away from buttons and discs: clicked to give the keyboard
CONFIRM_CAPTION = "確認"  # "confirmation", the caption of the link export's box


class Failure(Exception):
    pass


def Check(condition, message):
    if not condition:
        raise Failure(message)


# ---- processes and X commands ---------------------------------------------------

started = []  # every process this script started, ended at the end of each scenario


def Run(*command, check=True):
    result = subprocess.run(command, capture_output=True, timeout=30)
    if check and result.returncode != 0:
        raise Failure("%s failed: %s" % (" ".join(command), result.stderr.decode(errors="replace")))
    return result.stdout.decode(errors="replace")


def Xdo(*arguments, check=True):
    return Run("xdotool", *[str(a) for a in arguments], check=check)


def WaitFor(what, probe, timeout=10.0, period=0.05):
    """Polls probe() until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(period)


def StartProgram(name, *arguments):
    process = subprocess.Popen(["wine", os.path.join(BIN, name)] + [str(a) for a in arguments],
                               cwd=WORK, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started.append(process)
    return process


def VisibleWindows(*criteria):
    out = Xdo("search", "--all", "--onlyvisible", *criteria, check=False)
    return [int(w) for w in out.split()]


def WindowOfProcess(process, name, timeout=15.0):
    return WaitFor("a window '%s' of process %d" % (name, process.pid),
                   lambda: (VisibleWindows("--pid", process.pid, "--name", name) or [None])[0],
                   timeout)


def WindowPlace(window):
    values = dict(line.split("=", 1) for line in Xdo("getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def WindowName(window):
    return Xdo("getwindowname", window, check=False).strip()


def Click(x, y):
    Xdo("mousemove", x, y, "click", 1)


def GiveKeyboard(window, x, y):
    """Clicks into the window at (x, y) and hands it the X keyboard focus."""
    Click(x, y)
    Xdo("windowfocus", window, check=False)


def Keys(*keys):
    Xdo("key", "--delay", 30, *keys)


def ProcessEnded(pid):
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return stat.read().split(")")[-1].split()[0] == "Z"
    except OSError:
        return True


def EndStartedProcesses():
    for process in started:
        if process.poll() is None:
            process.terminate()
    for process in started:
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    started.clear()
    # Brimlets started by a Tessivo of this scenario.
    for window in VisibleWindows("--class", "Brimlet"):
        pid = WindowPid(window)
        if pid:
            os.kill(pid, signal.SIGTERM)
            WaitFor("Brimlet %d to end" % pid, lambda: ProcessEnded(pid), 5)


def WindowPid(window):
    out = Xdo("getwindowpid", window, check=False).strip()
    return int(out) if out.isdigit() else None


# ---- the screen -----------------------------------------------------------------

def Grab():
    """The whole screen: (width, height, RGB bytes)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True, timeout=30).stdout
    width, height = ScreenSize()
    Check(len(data) == width * height * 3, "screen grab of %d bytes" % len(data))
    return width, height, data


screenSize = None


def ScreenSize():
    global screenSize
    if not screenSize:
        match = re.search(r"dimensions:\s+(\d+)x(\d+)", Run("xdpyinfo"))
        screenSize = (int(match.group(1)), int(match.group(2)))
    return screenSize


def Pixel(shot, x, y):
    width, _, data = shot
    at = (y * width + x) * 3
    return tuple(data[at:at + 3])


def Block(shot, left, top, width, height):
    return [Pixel(shot, left + x, top + y) for y in range(height) for x in range(width)]


def SaveScreenshot(name):
    os.makedirs(ARTEFACTS, exist_ok=True)
    path = os.path.join(ARTEFACTS, name + ".png")
    Run("import", "-window", "root", path)
    return path


def Near(colour, expected, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def PureHue(rgb):
    """The colour in which the hue view shows a pixel: its hue at full saturation and value."""
    hue = colorsys.rgb_to_hsv(*(c / 255 for c in rgb))[0]
    return tuple(int(c * 255) for c in colorsys.hsv_to_rgb(hue, 1, 1))


# ---- Tessivo's window -----------------------------------------------------------

def StartTessivo():
    process = StartProgram("tessivo.exe")
    window = WindowOfProcess(process, "^Tessivo$")
    tessivo = {"process": process, "window": window}
    Place(tessivo)
    WaitFor("the grey picture of Tessivo", lambda: Pixel(Grab(), *Client(tessivo, 2, 30)) == GREY)
    return tessivo


def Place(tessivo):
    x, y, width, height = WindowPlace(tessivo["window"])
    tessivo.update(x=x, y=y, width=width, height=height)


def Client(tessivo, x, y):
    return tessivo["x"] + x, tessivo["y"] + y


def PressButton(tessivo, name):
    Click(*Client(tessivo, *BUTTONS[name]))


def ViewPixels(shot, tessivo, view):
    return Block(shot, *Client(tessivo, *view), *VIEW_SIZE)


def RecordShown(shot, tessivo):
    """The pairs that the record view shows in its first row, as (upper, lower) names."""
    names = {disc: name for name, (_, _, _, disc) in COLOURS.items()}
    pairs = []
    for column in range((tessivo["width"] - 5) // 20):
        x = 5 + 20 * column + 10
        upper = Pixel(shot, *Client(tessivo, x, 140))
        lower = Pixel(shot, *Client(tessivo, x, 160))
        if upper == GREY and lower == GREY:
            break
        pairs.append((names.get(upper, str(upper)), names.get(lower, str(lower))))
    return pairs


def WaitForRecord(tessivo, pairs, what):
    shown = []

    def Matches():
        shown[:] = RecordShown(Grab(), tessivo)
        return shown == pairs

    try:
        WaitFor(what, Matches, 10)
    except Failure:
        raise Failure("%s: the record view shows %s, expected %s" % (what, shown, pairs))


def SampleMatchesScreen(shot, tessivo, left, top):
    return ViewPixels(shot, tessivo, SAMPLE_VIEW) == Block(shot, left, top, *VIEW_SIZE)


def WaitForSample(tessivo, left, top, what):
    WaitFor("the sample view to show the screen at %d,%d (%s)" % (left, top, what),
            lambda: SampleMatchesScreen(Grab(), tessivo, left, top), 10)


def CheckAnalysis(tessivo, upper, lower):
    """The hue and class views after a capture of the scene pair (upper, lower)."""
    shot = Grab()
    for name, y in ((upper, 25), (lower, 75)):
        blob, _, voted, _ = COLOURS[name]
        hue = Pixel(shot, *Client(tessivo, HUE_VIEW[0] + 25, HUE_VIEW[1] + y))
        Check(Near(hue, PureHue(blob), 3),
              "hue view at the %s blob: %s, expected about %s" % (name, hue, PureHue(blob)))
        shown = Pixel(shot, *Client(tessivo, CLASS_VIEW[0] + 25, CLASS_VIEW[1] + y))
        Check(shown == voted, "class view at the %s blob: %s, expected %s" % (name, shown, voted))
    backdrop = Pixel(shot, *Client(tessivo, HUE_VIEW[0] + 1, HUE_VIEW[1] + 1))
    Check(Near(backdrop, PureHue(SCENE_BACKDROP), 3),
          "hue view at the scene's corner: %s" % (backdrop,))
    outside = Pixel(shot, *Client(tessivo, CLASS_VIEW[0] + 2, CLASS_VIEW[1] + 50))
    Check(outside == BLACK, "class view between the cells: %s, expected black" % (outside,))


def CloseTessivo(tessivo):
    """Closes the main window as a user does, by Alt+F4; returns the exit code."""
    GiveKeyboard(tessivo["window"], *Client(tessivo, *QUIET_SPOT))
    Keys("alt+F4")
    try:
        return tessivo["process"].wait(15)
    except subprocess.TimeoutExpired:
        raise Failure("Tessivo did not end within 15 s of Alt+F4")


# ---- the scene ------------------------------------------------------------------

def StartScene(place, pairs):
    process = StartProgram("e2e_scene.exe", place[0], place[1],
                           *["%s/%s" % pair for pair in pairs])
    window = WindowOfProcess(process, "^scene ")
    return {"process": process, "window": window, "place": place, "pairs": pairs, "shown": 0}


def SceneTitle(scene):
    upper, lower = scene["pairs"][scene["shown"]]
    return "scene %d/%d %s/%s" % (scene["shown"] + 1, len(scene["pairs"]), upper, lower)


def FocusScene(scene):
    x, y = scene["place"]
    GiveKeyboard(scene["window"], x + 25, y + 50)


def NextScenePair(scene):
    """Shows the scene's next pair by its key; the scene must have the keyboard."""
    Keys("space")
    scene["shown"] = (scene["shown"] + 1) % len(scene["pairs"])
    WaitFor("the scene to show " + SceneTitle(scene),
            lambda: WindowName(scene["window"]) == SceneTitle(scene))


def ScenePair(scene):
    return scene["pairs"][scene["shown"]]


# ---- the link export --------------------------------------------------------------

def SimulatorHost():
    cache = os.path.join(os.path.dirname(BIN), "CMakeCache.txt")
    with open(cache, encoding="utf-8", errors="replace") as text:
        for line in text:
            if line.startswith("TESSIVO_SIMULATOR_HOST:"):
                return line.split("=", 1)[1].strip()
    raise Failure("no TESSIVO_SIMULATOR_HOST in " + cache)


def LinkCode(upper, lower):
    row, column = COLOURS[lower][1], COLOURS[upper][1]
    return LINK_CODES[2 * (row - 1) + 12 * (column - 1)] + "1"


def ExpectedLink(pairs):
    return "http://%s/simu/ps.html?_%s" % (SimulatorHost(), "".join(LinkCode(*p) for p in pairs))


clipboardHolder = None  # the xclip that holds a placeholder until Tessivo takes the clipboard


def ClearClipboard():
    """Puts a placeholder on the X clipboard, so that a stale link cannot pass for a new one."""
    global clipboardHolder
    if clipboardHolder and clipboardHolder.poll() is None:
        clipboardHolder.terminate()
        clipboardHolder.wait()
    clipboardHolder = subprocess.Popen(["xclip", "-selection", "clipboard", "-i", "-quiet"],
                                       stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
    clipboardHolder.stdin.write(b"placeholder")
    clipboardHolder.stdin.close()
    WaitFor("the placeholder on the clipboard", lambda: ReadClipboard() == "placeholder")


def ReadClipboard():
    result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                            timeout=10)
    return result.stdout.decode(errors="replace") if result.returncode == 0 else None


def OpenLinkBox(tessivo):
    """Presses the link button and waits for the confirmation box; returns its window."""
    PressButton(tessivo, "link")
    return WindowOfProcess(tessivo["process"], "^%s$" % CONFIRM_CAPTION, 10)


def CloseBoxByKey(tessivo, box):
    x, y, _, _ = WindowPlace(box)
    GiveKeyboard(box, x + 10, y + 10)  # on the box's text, away from its button
    Keys("Return")
    WaitFor("the confirmation box to close",
            lambda: not VisibleWindows("--pid", tessivo["process"].pid, "--name",
                                       "^%s$" % CONFIRM_CAPTION))


def ExportLink(tessivo, screenshot=None):
    """The link button, the box closed by Enter; returns the text on the clipboard."""
    ClearClipboard()
    box = OpenLinkBox(tessivo)
    if screenshot:
        SaveScreenshot(screenshot)
    CloseBoxByKey(tessivo, box)
    return WaitFor("the link on the clipboard",
                   lambda: (ReadClipboard() or "").startswith("http") and ReadClipboard())


def CheckExport(tessivo, pairs, what, screenshot=None):
    link = ExportLink(tessivo, screenshot)
    Check(link == ExpectedLink(pairs), "%s: clipboard %r, expected %r" %
          (what, link, ExpectedLink(pairs)))


# ---- Brimlet ----------------------------------------------------------------------

def BrimletWindow(timeout=10.0):
    return WaitFor("Brimlet's window", lambda: (VisibleWindows("--class", "Brimlet") or [None])[0],
                   timeout)


def BrimletRegion(window):
    """The region that Brimlet's title shows: 'x, y, w x h'."""
    match = re.match(r"(-?\d+), (-?\d+), (\d+) x (\d+)", WindowName(window))
    return tuple(int(v) for v in match.groups()) if match else None


def WaitForBrimletRegion(window, region):
    WaitFor("Brimlet to show the region %s" % (region,),
            lambda: BrimletRegion(window) == region and WindowName(window).count("not found") == 0)


def BandPoint(region):
    """A point on Brimlet's band above the region, left of its close box."""
    return region[0] + 8, region[1] - 9


def DragBrimlet(window, start, target):
    """Drags Brimlet by its band so that the region's corner goes from start to target."""
    x, y = BandPoint(start)
    dx, dy = target[0] - start[0], target[1] - start[1]
    Xdo("mousemove", x, y, "mousedown", 1)
    steps = 10
    for step in range(1, steps + 1):
        Xdo("mousemove", x + dx * step // steps, y + dy * step // steps)
        time.sleep(0.03)
    Xdo("mouseup", 1)


def StartBrimletFrom(tessivo):
    PressButton(tessivo, "region")
    window = BrimletWindow()
    WaitForBrimletRegion(window, REGION + VIEW_SIZE)
    return window


# ---- scenarios --------------------------------------------------------------------

def ScenarioCapture():
    """Capture by the button and by Alt+F1 with the scene in front; the three views and
    the record's discs on screen."""
    scene = StartScene(REGION, [("green", "red"), ("blue", "blue"), ("red", "yellow")])
    tessivo = StartTessivo()
    WaitForSample(tessivo, *REGION, "before any capture")
    shot = Grab()
    Check(ViewPixels(shot, tessivo, HUE_VIEW) == [BLACK] * 5000,
          "the hue view is not black before the first capture")
    Check(RecordShown(shot, tessivo) == [], "discs before the first capture")

    PressButton(tessivo, "capture")
    WaitForRecord(tessivo, [("green", "red")], "after the capture button")
    CheckAnalysis(tessivo, "green", "red")
    SaveScreenshot("capture-button")

    expected = [("green", "red")]
    for _ in range(2):
        FocusScene(scene)
        NextScenePair(scene)
        WaitForSample(tessivo, *REGION, "the scene's next pair")
        Keys("alt+F1")  # the scene window has the keyboard
        expected.append(ScenePair(scene))
        WaitForRecord(tessivo, expected, "after Alt+F1 in the scene window")
        CheckAnalysis(tessivo, *ScenePair(scene))
    SaveScreenshot("capture-hotkey")
    Check(CloseTessivo(tessivo) == 0, "exit code not 0")


def ScenarioLink():
    """The link on the clipboard after the link button, the box closed by Enter; Alt+F1
    while the box is open; undo and RESET, with an export after each."""
    pairs = [("green", "red"), ("blue", "blue"), ("red", "yellow"), ("yellow", "red")]
    scene = StartScene(REGION, pairs)
    tessivo = StartTessivo()
    WaitForSample(tessivo, *REGION, "the first pair")
    expected = []
    FocusScene(scene)
    for index in range(3):
        if index:
            NextScenePair(scene)
            WaitForSample(tessivo, *REGION, "the scene's next pair")
        Keys("alt+F1")
        expected.append(ScenePair(scene))
        WaitForRecord(tessivo, expected, "capture %d" % (index + 1))

    ClearClipboard()
    box = OpenLinkBox(tessivo)
    SaveScreenshot("link-box")
    Check(ReadClipboard() == ExpectedLink(expected),
          "clipboard while the box is open: %r" % ReadClipboard())
    # The hot key still captures while the box waits.
    FocusScene(scene)
    NextScenePair(scene)
    WaitForSample(tessivo, *REGION, "the fourth pair, the box open")
    Keys("alt+F1")
    expected.append(ScenePair(scene))
    WaitForRecord(tessivo, expected, "Alt+F1 while the box is open")
    CloseBoxByKey(tessivo, box)

    CheckExport(tessivo, expected, "export of four pairs")
    PressButton(tessivo, "undo")
    expected.pop()
    WaitForRecord(tessivo, expected, "after undo")
    CheckExport(tessivo, expected, "export after undo", "link-after-undo")
    PressButton(tessivo, "reset")
    WaitForRecord(tessivo, [], "after RESET")
    CheckExport(tessivo, [], "export after RESET", "link-after-reset")
    PressButton(tessivo, "undo")  # on an empty record: nothing happens
    PressButton(tessivo, "capture")
    WaitForRecord(tessivo, [ScenePair(scene)], "a capture after RESET and undo")
    CheckExport(tessivo, [ScenePair(scene)], "export after a new capture")
    Check(CloseTessivo(tessivo) == 0, "exit code not 0")


def ScenarioBrimlet():
    """The region moved at run time through Brimlet: its arrow keys, then a drag."""
    StartScene(REGION, [("green", "red")])
    second = StartScene(SECOND_PLACE, [("purple", "yellow")])
    tessivo = StartTessivo()
    WaitForSample(tessivo, *REGION, "the region of the settings file")
    brimlet = StartBrimletFrom(tessivo)
    SaveScreenshot("brimlet-started")
    WaitForSample(tessivo, *REGION, "with Brimlet's frame around the region")

    GiveKeyboard(brimlet, *BandPoint(REGION))
    Keys(*["Right"] * 5 + ["Down"] * 3)
    moved = (REGION[0] + 5, REGION[1] + 3)
    WaitForBrimletRegion(brimlet, moved + VIEW_SIZE)
    WaitForSample(tessivo, *moved, "moved by the arrow keys")
    SaveScreenshot("brimlet-keys")

    DragBrimlet(brimlet, moved, SECOND_PLACE)
    WaitForBrimletRegion(brimlet, SECOND_PLACE + VIEW_SIZE)
    WaitForSample(tessivo, *SECOND_PLACE, "dragged onto the second scene")
    FocusScene(second)
    Keys("alt+F1")
    WaitForRecord(tessivo, [("purple", "yellow")], "Alt+F1 on the second scene")
    CheckAnalysis(tessivo, "purple", "yellow")
    SaveScreenshot("brimlet-dragged")
    Check(CloseTessivo(tessivo) == 0, "exit code not 0")


def ScenarioSecondInstance():
    """A second Tessivo while the first runs: the first keeps Alt+F1 and the mailslot."""
    scene = StartScene(REGION, [("blue", "green")])
    StartScene(SECOND_PLACE, [("yellow", "purple")])
    first = StartTessivo()
    second = StartTessivo()
    # Both open at the same place; move the second below the first, as a window
    # manager would when the user drags it.
    Xdo("windowmove", second["window"], *SIDE_BY_SIDE)
    WaitFor("the second window to move", lambda: WindowPlace(second["window"])[:2] == SIDE_BY_SIDE)
    Place(second)
    WaitForSample(first, *REGION, "first")
    WaitForSample(second, *REGION, "second")

    FocusScene(scene)
    Keys("alt+F1")
    WaitForRecord(first, [("blue", "green")], "the first after Alt+F1")
    time.sleep(0.3)  # a dozen ticks: time for the second to show a pair if it had one
    Check(RecordShown(Grab(), second) == [], "the second captured on Alt+F1")

    PressButton(second, "capture")
    WaitForRecord(second, [("blue", "green")], "the second after its capture button")
    Check(RecordShown(Grab(), first) == [("blue", "green")], "the first changed")

    # A Brimlet started by the second moves the first's region, not the second's.
    brimlet = StartBrimletFrom(second)
    DragBrimlet(brimlet, REGION, SECOND_PLACE)
    WaitForBrimletRegion(brimlet, SECOND_PLACE + VIEW_SIZE)
    WaitForSample(first, *SECOND_PLACE, "the first, after the drag")
    time.sleep(0.3)
    Check(SampleMatchesScreen(Grab(), second, *REGION), "the second's region moved")
    SaveScreenshot("second-instance")
    Check(CloseTessivo(second) == 0, "the second's exit code not 0")
    Check(CloseTessivo(first) == 0, "the first's exit code not 0")


def ScenarioClosing():
    """Closing: exit code 0, and Brimlet's window asked to close."""
    StartScene(REGION, [("red", "red")])
    tessivo = StartTessivo()
    brimlet = StartBrimletFrom(tessivo)
    pid = WindowPid(brimlet)
    Check(pid and not ProcessEnded(pid), "no process for Brimlet's window")
    SaveScreenshot("closing-before")
    code = CloseTessivo(tessivo)
    Check(code == 0, "exit code %d, expected 0" % code)
    WaitFor("Brimlet's window to close", lambda: not VisibleWindows("--class", "Brimlet"), 10)
    WaitFor("Brimlet's process to end", lambda: ProcessEnded(pid), 10)
    SaveScreenshot("closing-after")

    # And with no Brimlet running.
    tessivo = StartTessivo()
    code = CloseTessivo(tessivo)
    Check(code == 0, "exit code %d without Brimlet, expected 0" % code)


SCENARIOS = [
    ("capture", ScenarioCapture),
    ("link", ScenarioLink),
    ("brimlet", ScenarioBrimlet),
    ("second-instance", ScenarioSecondInstance),
    ("closing", ScenarioClosing),
]


def PrepareWorkFolder():
    os.makedirs(WORK, exist_ok=True)
    os.makedirs(ARTEFACTS, exist_ok=True)
    with open(os.path.join(WORK, "setting.ini"), "w", newline="\r\n") as ini:
        ini.write("[REGION]\nX=%d\nY=%d\nW=%d\nH=%d\n" % (REGION + VIEW_SIZE))
    for name in ("tessivo.exe", "Brimlet.exe", "e2e_scene.exe"):
        if not os.path.isfile(os.path.join(BIN, name)):
            sys.exit("e2e: %s not found in %s (build the win64 preset first)" % (name, BIN))


def RunScenarios(names):
    unknown = set(names) - {name for name, _ in SCENARIOS}
    if unknown:
        sys.exit("e2e: no scenario named %s" % ", ".join(sorted(unknown)))
    chosen = [s for s in SCENARIOS if not names or s[0] in names]
    for stale in os.listdir(ARTEFACTS):  # screenshots of an earlier run, but the demo's
        if stale.endswith(".png") and stale != "demo.png":
            os.remove(os.path.join(ARTEFACTS, stale))
    passed = failed = 0
    for name, scenario in chosen:
        started_at = time.monotonic()
        try:
            scenario()
            outcome = "PASS %s" % name
            passed += 1
        except Exception as failure:  # a failed check, or a tool that failed or hung
            SaveScreenshot(name + "-failure")
            outcome = "FAIL %s: %s" % (name, failure if isinstance(failure, Failure) else
                                       repr(failure))
            failed += 1
        finally:
            EndStartedProcesses()
        print("%s (%.1f s)" % (outcome, time.monotonic() - started_at), flush=True)
    print("screenshots in %s" % ARTEFACTS)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


def Demo():
    """A scene of blob pairs, a few captures by Alt+F1, the link, a screenshot."""
    pairs = [("green", "red"), ("blue", "blue"), ("red", "yellow"), ("yellow", "red"),
             ("purple", "green")]
    print("demo: a scene window at %d,%d shows %d blob pairs (upper/lower): %s" %
          (REGION + (len(pairs), ", ".join("%s/%s" % p for p in pairs))))
    scene = StartScene(REGION, pairs)
    tessivo = StartTessivo()
    print("demo: Tessivo runs, its capture region at %d,%d from %s" %
          (REGION + (os.path.join(WORK, "setting.ini"),)))
    WaitForSample(tessivo, *REGION, "the first pair")
    FocusScene(scene)
    captured = []
    for index in range(len(pairs)):
        if index:
            NextScenePair(scene)
            WaitForSample(tessivo, *REGION, "the next pair")
        Keys("alt+F1")
        captured.append(ScenePair(scene))
        WaitForRecord(tessivo, captured, "capture %d" % (index + 1))
        print("demo: Alt+F1 captured %s over %s" % ScenePair(scene))
    link = ExportLink(tessivo, "demo")
    screenshot = os.path.join(ARTEFACTS, "demo.png")
    print("demo: the link button put this link on the clipboard:")
    print(link)
    code = CloseTessivo(tessivo)
    print("demo: screenshot saved to %s" % screenshot)
    print("demo: Tessivo closed by Alt+F4, exit code %d" % code)
    return 0 if code == 0 and link == ExpectedLink(captured) else 1


def Main(arguments):
    PrepareWorkFolder()
    try:
        if arguments[:1] != ["--demo"]:
            return RunScenarios(arguments)
        try:
            return Demo()
        except Failure as failure:
            print("demo failed: %s" % failure)
            return 1
    finally:
        EndStartedProcesses()
        if clipboardHolder and clipboardHolder.poll() is None:
            clipboardHolder.terminate()


if __name__ == "__main__":
    sys.exit(Main(sys.argv[1:]))
