# SPDX-License-Identifier: GPL-3.0-or-later
# German of the report's records listing: short column heads, told apart from the same English
# words elsewhere by their comment.
TEXTS = {
    ('Date', 'records column'): 'Datum',
    ('Value', 'records column'): 'Wert',
    ('Unit', 'records column'): 'Einh.',
}
