# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the game window; resources/make_pictures.py runs it."""
