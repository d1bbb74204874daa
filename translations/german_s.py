# SPDX-License-Identifier: GPL-3.0-or-later
# German texts, lane S: closing by keys, the labels that lead to their fields.
TEXTS = {
    '&Close': 'S&chließen',
}
