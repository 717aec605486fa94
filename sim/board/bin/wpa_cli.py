#!/usr/bin/python3
"""The virtual board's wpa_cli: a model of wpa_supplicant on wlan0 answering with wpa_cli's
texts.

State (configured networks, the current association) lives in <root>/run/wpa_supplicant.json;
save_config writes <root>/etc/wpa_supplicant.conf. The networks in the air come from the knob
<root>/control/air, one per line: SSID, level (dBm), security (open, wep or wpa2),
pass phrase, BSSID, separated by tabs. A network is associated when it is the preferred
enabled network in the air (highest priority, then the last selected) and its pass phrase
is right or it is open; a wrong pass phrase shows as 4WAY_HANDSHAKE. Every call is recorded
in <root>/record/wpa_cli.jsonl with its exact arguments."""
import json
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
STATE = os.path.join(ROOT, "run", "wpa_supplicant.json")


def record(argv):
    os.makedirs(os.path.join(ROOT, "record"), exist_ok=True)
    with open(os.path.join(ROOT, "record", "wpa_cli.jsonl"), "a", encoding="utf-8",
              errors="surrogateescape") as f:
        f.write(json.dumps(argv, ensure_ascii=False) + "\n")
    with open(os.path.join(ROOT, "record", "calls.log"), "a", encoding="utf-8",
              errors="surrogateescape") as f:
        f.write("wpa_cli " + " ".join(argv) + "\n")


def load():
    try:
        with open(STATE, encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return {"networks": [], "next_id": 0, "selected": None}


def save(state):
    os.makedirs(os.path.dirname(STATE), exist_ok=True)
    tmp = STATE + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        json.dump(state, f, ensure_ascii=False, indent=1)
    os.replace(tmp, STATE)


def air():
    networks = []
    try:
        lines = open(os.path.join(ROOT, "control", "air"), encoding="utf-8").read().split("\n")
    except OSError:
        return networks
    for line in lines:
        f = line.split("\t")
        if len(f) >= 5 and f[0]:
            networks.append({"ssid": f[0], "level": int(f[1]), "security": f[2], "psk": f[3],
                             "bssid": f[4]})
    return networks


def encode(ssid):
    """wpa_supplicant's printf_encode of an SSID's bytes."""
    out = []
    for b in ssid.encode("utf-8"):
        c = chr(b)
        if c == '"':
            out.append('\\"')
        elif c == "\\":
            out.append("\\\\")
        elif c in "\n\r\t\x1b":
            out.append({"\n": "\\n", "\r": "\\r", "\t": "\\t", "\x1b": "\\e"}[c])
        elif 32 <= b < 127:
            out.append(c)
        else:
            out.append("\\x%02x" % b)
    return "".join(out)


def flags_of(net):
    return {"open": "[ESS]", "wep": "[WEP][ESS]",
            "wpa2": "[WPA2-PSK-CCMP][ESS]"}.get(net["security"], "[ESS]")


def association(state):
    """(network, air entry, state word) of the preferred enabled network."""
    visible = {a["ssid"]: a for a in air()}
    candidates = [n for n in state["networks"] if not n.get("disabled") and n["ssid"] in visible]
    if not candidates:
        return None, None, "DISCONNECTED"
    selected = state.get("selected")
    best = max(candidates, key=lambda n: (n.get("priority", 0), n["id"] == selected, -n["id"]))
    a = visible[best["ssid"]]
    if a["security"] == "open" or a["security"] == "wep":
        ok = best.get("key_mgmt") == "NONE" or "psk" not in best
    else:
        ok = best.get("psk") == a["psk"] and best.get("key_mgmt", "WPA-PSK") != "NONE"
    return best, a, "COMPLETED" if ok else "4WAY_HANDSHAKE"


def find(state, text):
    try:
        wanted = int(text)
    except ValueError:
        return None
    return next((n for n in state["networks"] if n["id"] == wanted), None)


def quoted(value):
    if len(value) >= 2 and value.startswith('"') and value.rfind('"') > 0:
        return value[1:value.rfind('"')]
    return None


def set_network(state, args):
    if len(args) < 3:
        return "FAIL"
    net, field, value = find(state, args[0]), args[1], " ".join(args[2:])
    if net is None:
        return "FAIL"
    if field == "ssid":
        text = quoted(value)
        if text is None or not text:
            return "FAIL"
        net["ssid"] = text
    elif field == "psk":
        text = quoted(value)
        raw = text.encode("utf-8") if text is not None else b""
        # As the supplicant: 8 to 63 bytes, no control characters.
        if text is None or not 8 <= len(raw) <= 63 or any(b < 32 or b == 127 for b in raw):
            return "FAIL"
        net["psk"] = text
    elif field == "key_mgmt":
        if value not in ("NONE", "WPA-PSK", "WPA-EAP", "WPA-PSK WPA-EAP"):
            return "FAIL"
        net["key_mgmt"] = value
    elif field == "priority":
        if not value.lstrip("-").isdigit():
            return "FAIL"
        net["priority"] = int(value)
    else:
        return "FAIL"
    return "OK"


def write_conf(state):
    os.makedirs(os.path.join(ROOT, "etc"), exist_ok=True)
    lines = ["ctrl_interface=/var/run/wpa_supplicant", "update_config=1", ""]
    for n in state["networks"]:
        lines.append("network={")
        lines.append('\tssid="%s"' % n["ssid"])
        if "psk" in n:
            lines.append('\tpsk="%s"' % n["psk"])
        if "key_mgmt" in n:
            lines.append("\tkey_mgmt=%s" % n["key_mgmt"])
        if n.get("priority"):
            lines.append("\tpriority=%d" % n["priority"])
        if n.get("disabled"):
            lines.append("\tdisabled=1")
        lines.append("}")
    with open(os.path.join(ROOT, "etc", "wpa_supplicant.conf"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def run(argv):
    args = list(argv)
    if len(args) >= 2 and args[0] == "-i":
        args = args[2:]
    if not args:
        return "FAIL"
    command, rest = args[0], args[1:]
    state = load()
    if command == "scan":
        return "OK"
    if command in ("scan_result", "scan_results"):
        out = ["bssid / frequency / signal level / flags / ssid"]
        for a in air():
            out.append("\t".join([a["bssid"], "2437", str(a["level"]), flags_of(a), encode(a["ssid"])]))
        return "\n".join(out)
    if command in ("list_network", "list_networks"):
        current, _, word = association(state)
        out = ["network id / ssid / bssid / flags"]
        for n in state["networks"]:
            flag = "[DISABLED]" if n.get("disabled") else (
                "[CURRENT]" if current is n and word == "COMPLETED" else "")
            out.append("\t".join([str(n["id"]), encode(n["ssid"]), "any", flag]))
        return "\n".join(out)
    if command == "add_network":
        n = {"id": state["next_id"], "ssid": ""}
        state["next_id"] += 1
        state["networks"].append(n)
        save(state)
        return str(n["id"])
    if command == "set_network":
        answer = set_network(state, rest)
        save(state)
        return answer
    if command in ("enable_network", "disable_network"):
        targets = state["networks"] if rest[:1] == ["all"] else [find(state, rest[0])] if rest else [None]
        if None in targets:
            return "FAIL"
        for n in targets:
            n["disabled"] = command == "disable_network"
        save(state)
        return "OK"
    if command == "select_network":
        net = find(state, rest[0]) if rest else None
        if net is None:
            return "FAIL"
        for n in state["networks"]:
            n["disabled"] = n is not net
        state["selected"] = net["id"]
        save(state)
        return "OK"
    if command == "remove_network":
        net = find(state, rest[0]) if rest else None
        if net is None:
            return "FAIL"
        state["networks"].remove(net)
        save(state)
        return "OK"
    if command in ("save_config", "reconfigure"):
        write_conf(state)
        return "OK"
    if command == "status":
        net, a, word = association(state)
        if word != "COMPLETED":
            return "wpa_state=%s\naddress=02:00:00:00:aa:01\nuuid=vistrel-sim" % word
        return "\n".join(["bssid=" + a["bssid"], "freq=2437", "ssid=" + encode(a["ssid"]),
                          "id=%d" % net["id"], "mode=station", "pairwise_cipher=CCMP",
                          "group_cipher=CCMP", "key_mgmt=" + ("NONE" if a["security"] != "wpa2" else "WPA2-PSK"),
                          "wpa_state=COMPLETED", "ip_address=192.168.77.23",
                          "address=02:00:00:00:aa:01", "uuid=vistrel-sim"])
    if command == "signal_poll":
        net, a, word = association(state)
        if word != "COMPLETED":
            return "FAIL"
        return "RSSI=%d\nLINKSPEED=72\nNOISE=9999\nFREQUENCY=2437" % a["level"]
    return "UNKNOWN COMMAND"


def main():
    argv = [a.encode("utf-8", "surrogateescape").decode("utf-8", "surrogateescape") for a in sys.argv[1:]]
    record(argv)
    sys.stdout.write(run(argv) + "\n")


if __name__ == "__main__":
    main()
